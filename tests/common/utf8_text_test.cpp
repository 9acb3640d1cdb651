#include "common/utf8_text.h"

#include <gtest/gtest.h>

using namespace lorvane::common;

TEST(Utf8Text, CountsAndCutsByCharacterNotByte) {
    const std::string word = "ap苹果le";
    EXPECT_EQ(utf8::length(word), 6u);
    EXPECT_EQ(utf8::left(word, 3), "ap苹");
    EXPECT_EQ(utf8::right(word, 3), "果le");
    EXPECT_EQ(utf8::mid(word, 2, 2), "苹果");
    EXPECT_EQ(utf8::mid(word, 5), "e");
    EXPECT_EQ(utf8::mid(word, 9), "");
    EXPECT_EQ(utf8::right(word, 10), word);
}

TEST(Utf8Text, BrokenBytesAndEscapesCountAsOneCharacterEach) {
    std::string text = "a";
    utf8::append(text, 0xDC81);  // an escaped GBK byte
    text += "\xE8";              // a stray lead byte
    text += "b";
    EXPECT_EQ(utf8::length(text), 4u);
    EXPECT_EQ(utf8::right(text, 1), "b");
    EXPECT_EQ(utf8::mid(text, 1, 1).size(), 3u);
}

TEST(Utf8Text, ValidationRejectsWhatIsNotStrictUtf8) {
    EXPECT_TRUE(utf8::isValid("plain ascii"));
    EXPECT_TRUE(utf8::isValid("苹果 €"));
    EXPECT_TRUE(utf8::isValid("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(utf8::isValid("\xC6\xBB\xB9\xFB"));  // 苹果 in GBK
    EXPECT_FALSE(utf8::isValid("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(utf8::isValid("\xED\xB2\x80"));      // a surrogate
    EXPECT_FALSE(utf8::isValid("\xE8\x8B"));          // cut short
    EXPECT_FALSE(utf8::isValid("\xF4\x90\x80\x80"));  // above U+10FFFF
}
