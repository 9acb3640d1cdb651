#include "common/utf8_text.h"

#include <algorithm>

namespace lorvane::common {

namespace utf8 {
namespace {

// Length of the sequence that starts with `lead`, or 1 for a stray byte.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the character at `pos`, falling back to one byte when the
// sequence is cut short or broken.
std::size_t charLengthAt(std::string_view text, std::size_t pos) {
    const std::size_t wanted = sequenceLength(static_cast<unsigned char>(text[pos]));
    if (wanted == 1 || pos + wanted > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < wanted; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[pos + i]))) {
            return 1;
        }
    }
    return wanted;
}

}  // namespace

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLengthAt(text, pos)) {
        ++count;
    }
    return count;
}

std::size_t offsetOfChar(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    while (index > 0 && pos < text.size()) {
        pos += charLengthAt(text, pos);
        --index;
    }
    return std::min(pos, text.size());
}

std::string_view mid(std::string_view text, std::size_t start, std::size_t count) {
    const std::size_t from = offsetOfChar(text, start);
    const std::string_view rest = text.substr(from);
    if (count == std::string_view::npos) {
        return rest;
    }
    return rest.substr(0, offsetOfChar(rest, count));
}

std::string_view left(std::string_view text, std::size_t count) {
    return mid(text, 0, count);
}

std::string_view right(std::string_view text, std::size_t count) {
    const std::size_t total = length(text);
    return count >= total ? text : mid(text, total - count);
}

void append(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::optional<Decoded> decodeFirst(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return Decoded{lead, 1};
    }
    const std::size_t len = sequenceLength(lead);
    if (len == 1 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || len > text.size()) {
        return std::nullopt;
    }
    char32_t cp = lead & (0xFF >> (len + 1));
    for (std::size_t i = 1; i < len; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if (!isContinuation(next)) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        return std::nullopt;
    }
    return Decoded{cp, len};
}

bool isValid(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::optional<Decoded> character = decodeFirst(bytes.substr(pos));
        if (!character) {
            return false;
        }
        pos += character->length;
    }
    return true;
}

}  // namespace utf8

}  // namespace lorvane::common
