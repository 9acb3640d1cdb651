#pragma once

#include <algorithm>
#include <string_view>

namespace lorvane::common {

// Comparisons that fold the letters A … Z only: settings keys, file
// extensions and lesson names mix Latin letters with Chinese, whose bytes
// must compare as they are.

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

constexpr bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// True when every byte is ASCII: an answer the learner can type straight
// from the keyboard, with no input method in between.
constexpr bool isPlainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Byte order of UTF-8 with ASCII letters folded: Latin names first, then
// Chinese ones in code point order.
constexpr bool lessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    });
}

}  // namespace lorvane::common
