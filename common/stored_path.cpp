#include "common/stored_path.h"

#include <sys/stat.h>

#include <algorithm>

#include "common/gbk_codec.h"
#include "common/utf8_text.h"

namespace lorvane::common {

namespace {

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// Whether the text holds a code point that carries a byte GBK could not
// decode (U+DC80 … U+DCFF, in UTF-8 ED B2 80 … ED B3 BF).
bool carriesUndecodableBytes(std::string_view text) {
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xED && (second == 0xB2 || second == 0xB3)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string storedPathText(std::string_view path) {
    std::string text(path);
    if (utf8::isValid(path) && gbk::decode(gbk::encode(text)) == text) {
        return text;
    }
    // Decoding never loses a byte: encoding this text gives the path again.
    return gbk::decode(path);
}

std::string pathFromStoredText(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        return std::string(text);  // the same either way
    }
    // Bytes that are not GBK can only be a path's own bytes.
    if (carriesUndecodableBytes(text)) {
        return gbk::encode(text);
    }
    // A path in GBK bytes is the rare one: looking for it first costs one
    // look-up per path in the usual case, whether the lesson is there or not.
    std::string asText(text);
    std::string asBytes = gbk::encode(text);  // what the file holds
    return exists(asBytes) && !exists(asText) ? asBytes : asText;
}

}  // namespace lorvane::common
