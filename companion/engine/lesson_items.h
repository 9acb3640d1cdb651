#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::companion {

// The lines of a lesson, one after the other in one buffer. The companion
// keeps up to 32767 of them for the whole run; as strings of their own each
// would cost a heap block and a string header beside its text (about twice
// the text), and reading them would touch as many fresh pages.
class LessonItems {
public:
    void clear() {
        text_.clear();
        ends_.clear();
    }
    // Room for `lines` lines of `bytes` bytes in all; room not filled is
    // never touched.
    void reserve(std::size_t lines, std::size_t bytes) {
        ends_.reserve(lines);
        text_.reserve(bytes);
    }
    void append(std::string_view line) {
        text_.append(line);
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(text_).substr(begin, ends_[index] - begin);
    }

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;  // where each line ends in text_
};

}  // namespace lorvane::companion
