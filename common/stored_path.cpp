#include "stored_path.h"

#include <sys/stat.h>

#include "gbk_codec.h"
#include "utf8_text.h"

namespace {

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// The text's bytes, with each code point that carries an undecodable byte
// (U+DC80 … U+DCFF, three bytes ED B2 80 … ED B3 BF) turned back into it.
std::string withEscapedBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0xED && i + 2 < text.size()) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            const auto third = static_cast<unsigned char>(text[i + 2]);
            if ((second == 0xB2 || second == 0xB3) && (third & 0xC0) == 0x80) {
                const char32_t codePoint = 0xD000 | ((second & 0x3F) << 6) | (third & 0x3F);
                bytes += static_cast<char>(codePoint - gbk::kEscapeFirst + 0x80);
                i += 2;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

}  // namespace

std::string storedPathText(std::string_view path) {
    const std::string text(path);
    if (utf8::isValid(path) && gbk::decode(gbk::encode(text)) == text) {
        return text;
    }
    // Decoding never loses a byte: encoding this text gives the path again.
    return gbk::decode(path);
}

std::string pathFromStoredText(std::string_view text) {
    std::string asText = withEscapedBytes(text);
    std::string asBytes = gbk::encode(text);
    if (asText == asBytes || exists(asText) || !exists(asBytes)) {
        return asText;
    }
    return asBytes;
}
