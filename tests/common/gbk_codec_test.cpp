#include "common/gbk_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>

using namespace lorvane::common;

TEST(GbkCodec, ChineseAndAsciiRoundTrip) {
    const std::string gbkBytes = "apple  \xC6\xBB\xB9\xFB";
    EXPECT_EQ(gbk::decode(gbkBytes), "apple  苹果");
    EXPECT_EQ(gbk::encode("apple  苹果"), gbkBytes);
    EXPECT_EQ(gbk::encode("单词"), "\xB5\xA5\xB4\xCA");
    EXPECT_EQ(gbk::decode("\x80"), "€");
    EXPECT_EQ(gbk::encode("€"), "\x80");
}

TEST(GbkCodec, UndecodableBytesComeBackUnchanged) {
    const std::string cases[] = {
        "\xFF",                  // never valid
        "abc\xC6",               // a lone lead byte at the end
        "\x81\x20x",             // a lead byte followed by a space
        "\xC6\xBB\xFF\xB9\xFB",  // a bad byte between two characters
        "\xA2\xE3",              // GB18030's euro sign, unknown to GBK
    };
    for (const std::string& bytes : cases) {
        const std::string text = gbk::decode(bytes);
        EXPECT_EQ(gbk::encode(text), bytes) << text;
    }
    // The lone lead byte is carried by its reserved code point, not dropped.
    EXPECT_EQ(gbk::decode("abc\xC6"), "abc\xED\xB3\x86");
    // The space after a bad lead byte survives as a space.
    EXPECT_EQ(gbk::decode("\x81\x20x").substr(3), " x");
}

TEST(GbkCodec, AnyByteStringSurvivesDecodeThenEncode) {
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(generator)), '\0');
        for (char& c : bytes) {
            // Bias towards high bytes, where GBK lives.
            c = static_cast<char>(round % 2 ? byte(generator) : 0x80 + byte(generator) / 2);
        }
        ASSERT_EQ(gbk::encode(gbk::decode(bytes)), bytes) << "round " << round;
    }
}

TEST(GbkCodec, CharactersOutsideGbkUseGb18030InsteadOfQuestionMarks) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600
    const std::string encoded = gbk::encode("x" + emoji);
    EXPECT_EQ(encoded, "x\x94\x39\xFC\x36");
    EXPECT_EQ(gbk::decode(encoded), "x" + emoji);
    // A character GBK lacks but GB18030 has (U+1E3F, ḿ).
    EXPECT_EQ(gbk::decode(gbk::encode("\xE1\xB8\xBF")), "\xE1\xB8\xBF");
    EXPECT_EQ(gbk::encode("é").find('?'), std::string::npos);
}

// The decoder reads GBK's two-byte characters from a table made at build
// time: every pair must come out as the system's converter decodes it, and
// a pair the converter refuses must still come back byte for byte.
TEST(GbkCodec, EveryTwoByteCharacterDecodesAsTheSystemConverterDecodesIt) {
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));  // NOLINT(performance-no-int-to-ptr)
    int decoded = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            char out[16];
            char* inPtr = pair;
            char* outPtr = out;
            std::size_t inLeft = sizeof pair;
            std::size_t outLeft = sizeof out;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            const bool whole = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) !=
                                   static_cast<std::size_t>(-1) &&
                               inLeft == 0;
            const std::string bytes(pair, 2);
            if (whole) {
                ++decoded;
                EXPECT_EQ(gbk::decode(bytes), std::string(out, outPtr))
                    << std::hex << lead << ' ' << trail;
            }
            EXPECT_EQ(gbk::encode(gbk::decode(bytes)), bytes) << std::hex << lead << ' ' << trail;
        }
    }
    iconv_close(converter);
    EXPECT_GT(decoded, 21000);  // GBK's characters, not a converter that refuses everything
}
