#pragma once

#include <string>
#include <string_view>

namespace lorvane::common {

// One line of a lesson: "abandon  v. 放弃" is the English "abandon" and the
// meaning "v. 放弃". Only `text` is stored; the two parts are derived from it
// each time the entry is shown.
struct LessonEntry {
    std::string text;     // the trimmed line
    std::string english;  // up to the first two-space separator: the answer and what is spoken
    std::string meaning;  // after the separator, trimmed
    bool hasSeparator = false;
};

// Splits `text` at its first pair of ASCII spaces. Without a separator the
// entry has no English part and the whole text as its meaning, with
// `hasSeparator` false so that the trainer can tell it apart.
LessonEntry splitEntry(std::string_view text);

}  // namespace lorvane::common
