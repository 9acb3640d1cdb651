#include "common/encoding_guess.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

#include "common/utf8_text.h"

namespace lorvane::common {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isAscii(unsigned char byte) {
    return byte < 0x80;
}

bool isAsciiAlnum(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z');
}

// What a two-byte code is in the GBK reading of a text.
enum class GbkCode : std::uint8_t {
    Invalid,      // no character at all
    UserDefined,  // only GB18030 knows it, as a private-use character
    Gb2312,       // the common set: every simplified lesson is written in it
    Extended,     // the rest of GBK: rare and traditional characters, symbols
};

bool converts(iconv_t converter, const char* bytes, std::size_t size) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = size;
    char out[16];
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    return iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
           inLeft == 0;
}

// Every two-byte code, indexed by lead * 256 + trail, as the system's
// converters see it. Built once, in a few milliseconds.
const std::vector<GbkCode>& gbkCodes() {
    static const std::vector<GbkCode> codes = [] {
        std::vector<GbkCode> table(65536, GbkCode::Invalid);
        const iconv_t gb2312 = iconv_open("UTF-8", "EUC-CN");
        const iconv_t gbk = iconv_open("UTF-8", "GBK");
        const iconv_t gb18030 = iconv_open("UTF-8", "GB18030");
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                GbkCode& kind =
                    table[static_cast<std::size_t>(lead) * 256 + static_cast<std::size_t>(trail)];
                if (converts(gb2312, code, 2)) {
                    kind = GbkCode::Gb2312;
                } else if (converts(gbk, code, 2)) {
                    kind = GbkCode::Extended;
                } else if (converts(gb18030, code, 2)) {
                    kind = GbkCode::UserDefined;
                }
            }
        }
        iconv_close(gb18030);
        iconv_close(gbk);
        iconv_close(gb2312);
        return table;
    }();
    return codes;
}

struct GbkReading {
    bool allGb2312 = true;    // every non-ASCII character is in GB2312
    bool impossible = false;  // holds a byte or code no GBK text has
};

GbkReading readAsGbk(std::string_view bytes) {
    const std::vector<GbkCode>& codes = gbkCodes();
    GbkReading reading;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        if (isAscii(lead)) {
            continue;
        }
        if (lead == 0x80) {  // the euro sign, a single byte in GBK
            reading.allGb2312 = false;
            continue;
        }
        const auto trail = pos + 1 < bytes.size() ? static_cast<unsigned char>(bytes[pos + 1]) : 0;
        switch (codes[lead * 256u + trail]) {
            case GbkCode::Gb2312:
                break;
            case GbkCode::Extended:
                reading.allGb2312 = false;
                break;
            case GbkCode::UserDefined:
            case GbkCode::Invalid:
                reading.allGb2312 = false;
                reading.impossible = true;
                return reading;
        }
        ++pos;
    }
    return reading;
}

// What a character of the UTF-8 reading says about it.
enum class Utf8Char {
    Neutral,      // found in either kind of file (Greek, no-break space)
    Lesson,       // Chinese, CJK and general punctuation, symbols, emoji
    Latin,        // accented and phonetic letters: counted next to a word
    Implausible,  // control codes, scripts no English lesson is written in
};

Utf8Char classify(char32_t c) {
    struct Range {
        char32_t last;
        Utf8Char kind;
    };
    // Ranges in order, each up to and including `last`.
    static constexpr Range kRanges[] = {
        {0x9F, Utf8Char::Implausible},     // C1 control codes
        {0xA0, Utf8Char::Neutral},         // no-break space
        {0x36F, Utf8Char::Latin},          // Latin-1 .. Latin Extended-B, IPA, modifiers, accents
        {0x3FF, Utf8Char::Neutral},        // Greek
        {0x1CFF, Utf8Char::Implausible},   // Cyrillic, Hebrew, Arabic, Indic, Hangul Jamo ...
        {0x1EFF, Utf8Char::Latin},         // phonetic extensions, Latin Extended Additional
        {0x1FFF, Utf8Char::Neutral},       // Greek Extended
        {0x2BFF, Utf8Char::Lesson},        // punctuation, currency, arrows, maths, shapes
        {0x2DFF, Utf8Char::Implausible},   // Glagolitic, Coptic, Tifinagh ...
        {0x312F, Utf8Char::Lesson},        // CJK punctuation, radicals, kana, bopomofo
        {0x318F, Utf8Char::Implausible},   // Hangul compatibility letters
        {0x4DBF, Utf8Char::Lesson},        // CJK strokes, enclosed CJK, Extension A
        {0x4DFF, Utf8Char::Implausible},   // hexagrams
        {0x9FFF, Utf8Char::Lesson},        // CJK unified ideographs
        {0xF8FF, Utf8Char::Implausible},   // Yi, Hangul syllables, private use
        {0xFAFF, Utf8Char::Lesson},        // CJK compatibility ideographs
        {0xFB06, Utf8Char::Latin},         // ligatures (fi, fl) copied from documents
        {0xFDFF, Utf8Char::Implausible},   // Hebrew and Arabic presentation forms
        {0xFE0F, Utf8Char::Neutral},       // variation selectors
        {0xFE6F, Utf8Char::Lesson},        // vertical, CJK compatibility and small forms
        {0xFEFE, Utf8Char::Implausible},   // Arabic presentation forms
        {0xFEFF, Utf8Char::Neutral},       // zero-width no-break space
        {0xFFEF, Utf8Char::Lesson},        // full-width forms
        {0xFFFF, Utf8Char::Neutral},       // specials
        {0x1EFFF, Utf8Char::Implausible},  // historic scripts
        {0x1FAFF, Utf8Char::Lesson},       // emoji and pictographs
        {0x1FFFF, Utf8Char::Implausible},
        {0x3FFFF, Utf8Char::Lesson},  // CJK extensions B and later
        {0xDFFFF, Utf8Char::Implausible},
        {0xE007F, Utf8Char::Neutral},  // tags
    };
    for (const Range& range : kRanges) {
        if (c <= range.last) {
            return range.kind;
        }
    }
    return Utf8Char::Implausible;  // private use planes
}

// Decodes the well-formed sequence at `pos`; returns its length.
std::size_t decodeAt(std::string_view bytes, std::size_t pos, char32_t& c) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        c = (c << 6) | (static_cast<unsigned char>(bytes[pos + i]) & 0x3F);
    }
    return length;
}

struct Utf8Reading {
    bool implausible = false;
    // Characters that mark a lesson written in UTF-8: Chinese and other
    // Lesson characters anywhere, Latin ones only in a run of non-ASCII
    // characters that touches an English letter or digit ("café", "/ˈæpl/").
    int evidence = 0;
};

// `bytes` must be well-formed UTF-8.
Utf8Reading readAsUtf8(std::string_view bytes) {
    Utf8Reading reading;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (isAscii(static_cast<unsigned char>(bytes[pos]))) {
            ++pos;
            continue;
        }
        // One run of non-ASCII characters.
        const bool letterBefore =
            pos > 0 && isAsciiAlnum(static_cast<unsigned char>(bytes[pos - 1]));
        int latin = 0;
        while (pos < bytes.size() && !isAscii(static_cast<unsigned char>(bytes[pos]))) {
            char32_t c = 0;
            pos += decodeAt(bytes, pos, c);
            switch (classify(c)) {
                case Utf8Char::Neutral:
                    break;
                case Utf8Char::Lesson:
                    ++reading.evidence;
                    break;
                case Utf8Char::Latin:
                    ++latin;
                    break;
                case Utf8Char::Implausible:
                    reading.implausible = true;
                    return reading;
            }
        }
        const bool letterAfter =
            pos < bytes.size() && isAsciiAlnum(static_cast<unsigned char>(bytes[pos]));
        if (letterBefore || letterAfter) {
            reading.evidence += latin;
        }
    }
    return reading;
}

}  // namespace

bool looksLikeUtf8(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) {
        return utf8::isValid(bytes.substr(kByteOrderMark.size()));
    }
    std::size_t firstHigh = 0;
    while (firstHigh < bytes.size() && isAscii(static_cast<unsigned char>(bytes[firstHigh]))) {
        ++firstHigh;
    }
    if (firstHigh == bytes.size()) {
        return false;  // ASCII reads the same either way
    }
    if (!utf8::isValid(bytes.substr(firstHigh))) {
        return false;
    }
    const GbkReading gbk = readAsGbk(bytes);
    if (gbk.impossible) {
        return true;
    }
    if (gbk.allGb2312) {
        return false;
    }
    const Utf8Reading utf8 = readAsUtf8(bytes);
    // One piece of evidence is what a single GBK pair often gives by chance
    // ("E4 B8 AD 41", two rare characters in GBK, is "中A" in UTF-8); a
    // lesson written in UTF-8 has far more.
    return !utf8.implausible && utf8.evidence >= 2;
}

}  // namespace lorvane::common
