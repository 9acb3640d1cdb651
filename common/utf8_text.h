#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// Text inside both programs is UTF-8 in std::string. These helpers address it
// by character (code point), which the spelling hints need: "ap***" must hide
// whole characters, never half of a Chinese one.
namespace utf8 {

// Number of characters in `text`. A byte that does not start a well-formed
// sequence counts as one character of its own.
std::size_t length(std::string_view text);

// Byte offset of the character with 0-based index `index`; text.size() when
// the text has fewer characters.
std::size_t offsetOfChar(std::string_view text, std::size_t index);

// `count` characters starting at character `start` (clipped to the text).
std::string_view mid(std::string_view text, std::size_t start,
                     std::size_t count = std::string_view::npos);

// The first and the last `count` characters.
std::string_view left(std::string_view text, std::size_t count);
std::string_view right(std::string_view text, std::size_t count);

// Appends the UTF-8 form of `codePoint` (any value up to 0x10FFFF, surrogates
// included, which the GBK codec uses to carry undecodable bytes).
void append(std::string& out, char32_t codePoint);

// The character at the start of `text` and its length in bytes, when it is
// well-formed: std::nullopt for a stray or cut-short sequence, an overlong
// form, a surrogate or anything above U+10FFFF (and for empty text).
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
std::optional<Decoded> decodeFirst(std::string_view text);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValid(std::string_view bytes);

}  // namespace utf8

}  // namespace lorvane::common
