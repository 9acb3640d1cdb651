#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::common {

// Lines kept in one block of text: a file read whole keeps its decoded text
// in one allocation and each line as a view into it, instead of a string
// (and an allocation) per line. A lesson of 32767 lines takes a third less
// memory this way, and is read faster.
struct TextLines {
    // What the lines view. Held by pointer, so that it stays where it is
    // however the lines are moved on.
    std::unique_ptr<const std::string> text;
    std::vector<std::string_view> lines;

    // The lines copied into one block.
    static TextLines copyOf(const std::vector<std::string>& lines);
    // The lines of `text` that end where `ends` says, one after the other.
    static TextLines fromEnds(std::string text, const std::vector<std::uint32_t>& ends);
};

}  // namespace lorvane::common
