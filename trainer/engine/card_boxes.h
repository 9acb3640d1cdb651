#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_lines.h"

namespace lorvane::trainer {

// A box of the six, in the order of the box list: 0 new words, 1 … 4 the
// words forgotten once, twice, three times and many times, 5 memorized.
using BoxId = int;

inline constexpr int kBoxCount = 6;
inline constexpr BoxId kNewWordBox = 0;
inline constexpr BoxId kManyTimesBox = 4;  // the last box of forgotten words
inline constexpr BoxId kMemorizedBox = 5;

// The most entries a list holds: its indices are 16-bit signed numbers.
inline constexpr int kMaxListEntries = 32767;

// Each name begins with a space, as the box list shows it; messages use it
// trimmed.
inline constexpr std::array<std::string_view, kBoxCount> kBoxNames = {
    " 生词卡", " 一次遗忘卡", " 二次遗忘卡", " 三次遗忘卡", " 多次遗忘卡", " 记忆卡",
};

inline constexpr std::string_view trimmedBoxName(BoxId box) {
    return kBoxNames[static_cast<std::size_t>(box)].substr(1);
}

inline constexpr bool isBox(BoxId box) {
    return box >= 0 && box < kBoxCount;
}

// The learner's words of the open lesson, spread over the six boxes. Each
// box keeps its entries in order and the entry selected in its word list;
// one box is the chosen one, whose words are studied.
//
// An entry is a view into a block of text the boxes keep until they are
// cleared: the lines of a file read whole stay in one block, and a word
// moving from box to box moves only its view.
class CardBoxes {
public:
    enum class Move { Moved, NoSuchEntry, TargetFull };

    // What the last change of a box's entries was, so that a view of the box
    // that saw the change before it can follow without comparing every entry.
    struct Change {
        enum class Kind { Removed, Appended, Other };
        Kind kind = Kind::Other;
        int row = 0;    // the first entry removed or appended
        int count = 0;  // how many
    };

    const std::vector<std::string_view>& entries(BoxId box) const { return at(box).entries; }
    int count(BoxId box) const { return static_cast<int>(entries(box).size()); }
    bool isFull(BoxId box) const { return count(box) >= kMaxListEntries; }
    // Counts the changes of a box's entries; lastChange() is the latest.
    std::uint64_t revision(BoxId box) const { return at(box).revision; }
    const Change& lastChange(BoxId box) const { return at(box).lastChange; }

    // The selected entry of a box's word list; -1 for none.
    int selectedEntry(BoxId box) const { return at(box).selected; }
    // Selects an entry (-1: none); anything else is refused.
    bool selectEntry(BoxId box, int index);

    // The chosen box; -1 before any is chosen.
    BoxId chosenBox() const { return chosen_; }
    bool choose(BoxId box);
    void unchoose() { chosen_ = -1; }

    // Appends one entry; refuses once the box is full.
    bool add(BoxId box, std::string entry);
    // Appends entries up to the box's limit, keeping their block of text;
    // returns how many went in.
    std::size_t addAll(BoxId box, common::TextLines entries);
    // The same for entries that are strings of their own.
    std::size_t addAll(BoxId box, const std::vector<std::string>& entries);
    // Empties every box and lets go of every block of text.
    void clear();

    // Moves an entry to the end of another box (or of its own). A full target
    // keeps the entry where it is rather than lose it. The selection of the
    // box it leaves follows the entry it was on, and is lost with it.
    [[nodiscard]] Move move(BoxId from, int index, BoxId to);

private:
    struct Box {
        std::vector<std::string_view> entries;
        int selected = -1;
        std::uint64_t revision = 0;
        Change lastChange;
    };
    static void changed(Box& box, Change change);
    const Box& at(BoxId box) const { return boxes_[static_cast<std::size_t>(box)]; }
    Box& at(BoxId box) { return boxes_[static_cast<std::size_t>(box)]; }

    std::array<Box, kBoxCount> boxes_;
    // What the entries view.
    std::vector<std::unique_ptr<const std::string>> texts_;
    BoxId chosen_ = -1;
};

}  // namespace lorvane::trainer
