#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "trainer/engine/card_boxes.h"

// What the closing-save harness writes in generation g, so that the kill
// test can tell whether what it reads back is one generation, and which.
// Every generation moves every entry to another box, so a set of files from
// two generations loses or doubles entries.
namespace saved_generation {

inline constexpr int kEntries = 60;
// Window numbers and the companion's cursor are 16-bit: generations wrap.
inline constexpr long kWindowWrap = 20000;
inline constexpr long kCursorWrap = 30000;
inline constexpr int kListEntries = 3;

inline int boxOf(int entry, long generation) {
    return static_cast<int>((entry + generation) % lorvane::trainer::kBoxCount);
}

inline std::string entryText(int entry, long generation) {
    return "w" + std::to_string(entry) + "  g" + std::to_string(generation);
}

// dan.dat's four window numbers: the generation plus a different offset each.
inline int windowValue(long generation, int offset) {
    return static_cast<int>(generation % kWindowWrap) + offset;
}
inline constexpr int kWidthOffset = 1000;
inline constexpr int kHeightOffset = 2000;
inline constexpr int kTopOffset = 3000;
inline constexpr int kLeftOffset = 4000;

// listgirl.dat's entries name the generation that girl.dat's cursor holds.
inline std::string listPath(long generation, int index) {
    return "/kill/g" + std::to_string(generation) + "/lesson" + std::to_string(index) + ".txt";
}

// The entry number and generation of a box entry; std::nullopt for any
// other text.
struct Entry {
    int entry = 0;
    long generation = 0;
};
inline std::optional<Entry> parseEntry(const std::string& text) {
    Entry parsed;
    char tail = 0;
    if (std::sscanf(text.c_str(), "w%d  g%ld%c", &parsed.entry, &parsed.generation, &tail) != 2) {
        return std::nullopt;
    }
    return parsed;
}

}  // namespace saved_generation
