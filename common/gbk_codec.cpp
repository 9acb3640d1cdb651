#include "common/gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "common/gbk_table.h"
#include "common/utf8_text.h"

namespace lorvane::common {

namespace gbk {
namespace {

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        // iconv_open's failure value is (iconv_t)-1.
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of `in` as it can and appends the result to `out`.
    // Returns the number of input bytes consumed; stops at the first byte
    // sequence it cannot convert.
    std::size_t convert(std::string_view in, std::string& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char buffer[4096];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return in.size() - inLeft;
    }

private:
    iconv_t handle_;
};

Converter& gbkToUtf8() {
    thread_local Converter converter("UTF-8", "GBK");
    return converter;
}
Converter& gb18030ToUtf8() {
    thread_local Converter converter("UTF-8", "GB18030");
    return converter;
}
Converter& utf8ToGbk() {
    thread_local Converter converter("GBK", "UTF-8");
    return converter;
}
Converter& utf8ToGb18030() {
    thread_local Converter converter("GB18030", "UTF-8");
    return converter;
}

// GB18030's four-byte form: lead 81–FE, digit, lead 81–FE, digit.
bool isFourByteForm(std::string_view bytes) {
    auto inRange = [](char c, unsigned lo, unsigned hi) {
        const auto b = static_cast<unsigned char>(c);
        return b >= lo && b <= hi;
    };
    return bytes.size() >= 4 && inRange(bytes[0], 0x81, 0xFE) && inRange(bytes[1], 0x30, 0x39) &&
           inRange(bytes[2], 0x81, 0xFE) && inRange(bytes[3], 0x30, 0x39);
}

// A character that GBK lacks may have been written in GB18030 (by this codec's
// encoder, or by another program). Decodes the first `length` bytes as one
// GB18030 character when encoding it again gives the very same bytes; returns
// false otherwise, and the caller escapes the bytes.
bool decodeGb18030(std::string_view bytes, std::size_t length, std::string& out) {
    if (bytes.size() < length) {
        return false;
    }
    std::string text;
    if (gb18030ToUtf8().convert(bytes.substr(0, length), text) != length ||
        encode(text) != bytes.substr(0, length)) {
        return false;
    }
    out += text;
    return true;
}

// The code point and length of the UTF-8 sequence at the start of `text`,
// surrogates included; length 0 when the bytes are not such a sequence.
std::size_t readSequence(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t len = 0;
    if ((lead & 0xE0) == 0xC0) {
        len = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4;
    }
    if (len == 0 || text.size() < len) {
        return 0;
    }
    codePoint = lead & (0xFF >> (len + 1));
    for (std::size_t i = 1; i < len; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return len;
}

// What the table doesn't know, from the character at the start of `bytes`:
// the converter's reading, else a GB18030 character, else the first byte
// escaped. Appends it to `out` and returns the number of bytes taken.
std::size_t decodeUnknown(std::string_view bytes, std::string& out) {
    // At most two bytes are one character in GBK.
    if (const std::size_t taken = gbkToUtf8().convert(bytes.substr(0, 2), out); taken > 0) {
        return taken;
    }
    const std::size_t length = isFourByteForm(bytes) ? 4 : 2;
    if (decodeGb18030(bytes, length, out)) {
        return length;
    }
    utf8::append(out, kEscapeFirst - 0x80 + static_cast<unsigned char>(bytes[0]));
    return 1;
}

}  // namespace

void openConverters() {
    gbkToUtf8();
    gb18030ToUtf8();
    utf8ToGbk();
    utf8ToGb18030();
}

std::string decode(std::string_view bytes) {
    std::string out;
    decodeAppend(bytes, out);
    return out;
}

void decodeAppend(std::string_view bytes, std::string& out) {
    // Written through a pointer into room made beforehand: ASCII and the
    // table's characters (two bytes to at most three) fit in one and a half
    // times the input; only what the converter decodes may need more.
    std::size_t written = out.size();
    out.resize(written + bytes.size() + bytes.size() / 2 + 4);
    const auto makeRoom = [&](std::size_t more) {
        if (written + more > out.size()) {
            out.resize(2 * out.size() + more);
        }
    };
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    while (pos < size) {
        if (in[pos] < 0x80) {
            std::size_t run = pos + 1;
            while (run < size && in[run] < 0x80) {
                ++run;
            }
            makeRoom(run - pos);
            std::memcpy(out.data() + written, in + pos, run - pos);
            written += run - pos;
            pos = run;
            continue;
        }
        const std::uint32_t entry = pos + 1 < size ? tableEntry(in[pos], in[pos + 1]) : 0;
        if (entry != 0) {
            makeRoom(3);
            out[written] = static_cast<char>(entry & 0xFF);
            out[written + 1] = static_cast<char>((entry >> 8) & 0xFF);
            out[written + 2] = static_cast<char>((entry >> 16) & 0xFF);
            written += entry >> 24;
            pos += 2;
            continue;
        }
        std::string piece;
        pos += decodeUnknown(bytes.substr(pos), piece);
        makeRoom(piece.size());
        std::memcpy(out.data() + written, piece.data(), piece.size());
        written += piece.size();
    }
    out.resize(written);
}

std::string encode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos += utf8ToGbk().convert(text.substr(pos), out);
        if (pos == text.size()) {
            break;
        }
        char32_t codePoint = 0;
        const std::size_t len = readSequence(text.substr(pos), codePoint);
        if (len == 0) {
            // Not UTF-8 at all: pass the byte through rather than drop it.
            out += text[pos];
            ++pos;
        } else if (codePoint >= kEscapeFirst && codePoint <= kEscapeLast) {
            out += static_cast<char>(codePoint - kEscapeFirst + 0x80);
            pos += len;
        } else {
            if (utf8ToGb18030().convert(text.substr(pos, len), out) != len) {
                // A handful of private-use code points have no code in any
                // Chinese code page; a question mark is all that is left.
                out += '?';
            }
            pos += len;
        }
    }
    return out;
}

}  // namespace gbk

}  // namespace lorvane::common
