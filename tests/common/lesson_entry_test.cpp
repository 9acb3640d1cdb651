#include "common/lesson_entry.h"

#include <gtest/gtest.h>

using namespace lorvane::common;

TEST(LessonEntry, SplitsAtTheFirstTwoSpaceSeparator) {
    const LessonEntry apple = splitEntry("apple  苹果");
    EXPECT_TRUE(apple.hasSeparator);
    EXPECT_EQ(apple.text, "apple  苹果");
    EXPECT_EQ(apple.english, "apple");
    EXPECT_EQ(apple.meaning, "苹果");

    const LessonEntry phrase = splitEntry("look at   看");
    EXPECT_EQ(phrase.english, "look at");
    EXPECT_EQ(phrase.meaning, "看");

    const LessonEntry doubled = splitEntry("a  b  c  ");
    EXPECT_EQ(doubled.english, "a");
    EXPECT_EQ(doubled.meaning, "b  c");
}

TEST(LessonEntry, WithoutSeparatorTheWholeTextIsTheMeaning) {
    for (const char* text : {"apple 苹果", "apple\t苹果"}) {
        const LessonEntry entry = splitEntry(text);
        EXPECT_FALSE(entry.hasSeparator) << text;
        EXPECT_EQ(entry.english, "");
        EXPECT_EQ(entry.meaning, text);
    }
    EXPECT_FALSE(splitEntry("").hasSeparator);
}
