#include "common/encoding_guess.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/gbk_codec.h"
#include "common/text_file.h"
#include "common/utf8_text.h"

using namespace lorvane::common;

namespace {

// Every character the system's GBK converter knows: the euro sign and the
// two-byte codes.
std::vector<std::string> allGbkCharacters() {
    std::vector<std::string> chars{"\x80"};
    const iconv_t gbk = iconv_open("UTF-8", "GBK");
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            iconv(gbk, nullptr, nullptr, nullptr, nullptr);
            char* in = code.data();
            std::size_t inLeft = 2;
            char out[8];
            char* outPtr = out;
            std::size_t outLeft = sizeof out;
            if (trail != 0x7F &&
                iconv(gbk, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
                chars.push_back(code);
            }
        }
    }
    iconv_close(gbk);
    return chars;
}

const std::vector<std::string>& gbkCharacters() {
    static const std::vector<std::string> chars = allGbkCharacters();
    return chars;
}

std::string readText(const std::filesystem::path& path) {
    return readFileBytes(path.string()).valueOr("");
}

std::vector<std::filesystem::path> filesIn(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

}  // namespace

TEST(EncodingGuess, EveryGbkCharacterAloneOnALineReadsAsGbk) {
    ASSERT_GT(gbkCharacters().size(), 21000u);
    for (const std::string& c : gbkCharacters()) {
        ASSERT_FALSE(looksLikeUtf8(c)) << gbk::decode(c);
        ASSERT_FALSE(looksLikeUtf8(c + "\r\n")) << gbk::decode(c);
        ASSERT_FALSE(looksLikeUtf8("word  n. " + c + "\r\n")) << gbk::decode(c);
    }
}

// A pair of GBK characters can only be taken for UTF-8 when it is well-formed
// UTF-8: its first byte then starts a sequence (C2 … F4) that the second byte
// continues (80 … BF). Every such pair is tried; all the others are not UTF-8.
TEST(EncodingGuess, EveryGbkPairThatIsWellFormedUtf8ReadsAsGbk) {
    std::vector<std::string> firsts;
    for (const std::string& c : gbkCharacters()) {
        const auto lead = static_cast<unsigned char>(c[0]);
        if (c.size() == 2 && lead >= 0xC2 && lead <= 0xF4 &&
            (static_cast<unsigned char>(c[1]) & 0xC0) == 0x80) {
            firsts.push_back(c);
        }
    }
    long long tried = 0;
    std::string bytes;
    for (const std::string& first : firsts) {
        for (const std::string& second : gbkCharacters()) {
            bytes = first + second + "\r\n";
            if (!utf8::isValid(bytes)) {
                continue;
            }
            ++tried;
            // The 190 pairs that start with the bytes of the byte-order mark
            // (EF BB BF) are read as one; they are no Chinese anyone writes.
            if (!bytes.starts_with("\xEF\xBB\xBF")) {
                ASSERT_FALSE(looksLikeUtf8(bytes)) << gbk::decode(bytes);
            }
        }
    }
    EXPECT_GT(tried, 1000000);
}

TEST(EncodingGuess, EveryGbkCharacterInRealLessonLinesReadsAsGbk) {
    const char* const lines[] = {"family  n. 家庭；家人", "T恤  T-shirt", "卡拉OK  karaoke",
                                 "维生素A  vitamin A", "look at  看；注视"};
    for (const char* line : lines) {
        const std::string bytes = gbk::encode(line);
        for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
            if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
                continue;
            }
            for (const std::string& c : gbkCharacters()) {
                const std::string changed =
                    bytes.substr(0, pos) + c + bytes.substr(pos + 2) + "\r\n";
                ASSERT_FALSE(looksLikeUtf8(changed)) << gbk::decode(changed);
            }
            ++pos;
        }
    }
}

TEST(EncodingGuess, RealLessonsReadInTheirOwnEncoding) {
    std::vector<std::filesystem::path> lessons = filesIn(SHIPPED_LESSONS);
    for (const auto& sample : filesIn(ENCODING_SAMPLES)) {
        lessons.push_back(sample);
    }
    ASSERT_GT(lessons.size(), 15u);
    for (const auto& path : lessons) {
        const std::string text = readText(path);
        if (std::all_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            continue;  // plain ASCII (the example sentences) reads the same either way
        }
        EXPECT_TRUE(looksLikeUtf8(text)) << path;
        EXPECT_FALSE(looksLikeUtf8(gbk::encode(text))) << path;
        for (const std::string_view line : splitLines(text, Decoding::Detect)) {
            EXPECT_FALSE(looksLikeUtf8(gbk::encode(line))) << line;
        }
    }
}

TEST(EncodingGuess, TraditionalAndRareCharactersInGbkStayGbk) {
    EXPECT_FALSE(looksLikeUtf8("\xD8\x88"));              // 貓: Arabic in UTF-8
    EXPECT_FALSE(looksLikeUtf8("\xC2\xA0\xC2\x8E\r\n"));  // 聽聞: no-break space, control
    EXPECT_FALSE(looksLikeUtf8("cat  n. \xD8\x88\r\n"));  // cat  n. 貓
    EXPECT_FALSE(looksLikeUtf8("\xE4\xB8\xAD\x41\r\n"));  // two rare characters, or "中A"
    EXPECT_FALSE(looksLikeUtf8("one  \xD2\xBB\r\n"));     // 一: Cyrillic in UTF-8
    EXPECT_FALSE(looksLikeUtf8("apple  \xC6\xBB\r\n"));   // 苹: Latin in UTF-8
    EXPECT_FALSE(looksLikeUtf8("apple  apple\r\n"));      // ASCII: either will do
    EXPECT_FALSE(looksLikeUtf8(""));
}

TEST(EncodingGuess, Utf8TextWithChinesePhoneticsAndQuotesIsUtf8) {
    EXPECT_TRUE(looksLikeUtf8("apple  苹果\r\n"));
    EXPECT_TRUE(looksLikeUtf8("cat  猫\r\n"));
    EXPECT_TRUE(looksLikeUtf8("apple  /ˈæpl/\r\n"));
    EXPECT_TRUE(looksLikeUtf8("café  n. 咖啡馆\r\n"));
    EXPECT_TRUE(looksLikeUtf8("“it’s”\r\n"));
}

TEST(EncodingGuess, AByteOrderMarkCountsOnlyBeforeValidUtf8) {
    EXPECT_TRUE(
        looksLikeUtf8("\xEF\xBB\xBF"
                      "apple  苹果"));
    EXPECT_TRUE(
        looksLikeUtf8("\xEF\xBB\xBF"
                      "apple"));
    EXPECT_FALSE(
        looksLikeUtf8("\xEF\xBB\xBF"
                      "apple  \xC6\xBB\xB9\xFB"));  // GBK after it
}
