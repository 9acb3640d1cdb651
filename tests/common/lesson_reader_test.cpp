#include "lesson_reader.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

TEST(LessonReader, TrainerKeepsTrimmedNonBlankLines) {
    TempFolder folder;
    const std::string path = folder.write(
        "lesson.txt", "  apple  \xC6\xBB\xB9\xFB  \r\n\r\n     \r\nlook at   see\rlast  line");
    const auto entries = readLessonEntries(path);
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (std::vector<std::string>{"apple  苹果", "look at   see", "last  line"}));
}

TEST(LessonReader, TrainerTakesAUnixFileAsOneLongEntry) {
    TempFolder folder;
    const std::string path = folder.write("unix.txt", "one  1\ntwo  2\n");
    EXPECT_EQ(readLessonEntries(path), (std::vector<std::string>{"one  1\ntwo  2\n"}));
}

TEST(LessonReader, TrainerEmptyAndMissingFiles) {
    TempFolder folder;
    EXPECT_EQ(readLessonEntries(folder.write("empty.txt", "")), std::vector<std::string>{});
    std::string error;
    EXPECT_EQ(readLessonEntries(folder.file("missing.txt"), &error), std::nullopt);
    EXPECT_FALSE(error.empty());
}

TEST(LessonReader, CompanionKeepsBlankLinesDropsLfAndYieldsAfterEachLine) {
    TempFolder folder;
    const std::string path = folder.write("lesson.txt", " apple  1 \r\n\r\n  \r\nb\nc  2\r\n");
    std::vector<std::string> items;
    ASSERT_TRUE(readCompanionLesson(path, [&items](std::string item) {
        items.push_back(std::move(item));
        return true;
    }));
    EXPECT_EQ(items, (std::vector<std::string>{"apple  1", "", "", "bc  2"}));
}

TEST(LessonReader, CompanionCanAbandonALoadHalfWay) {
    TempFolder folder;
    const std::string path = folder.write("lesson.txt", "a  1\r\nb  2\r\nc  3\r\n");
    int calls = 0;
    EXPECT_TRUE(readCompanionLesson(path, [&calls](const std::string&) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(readCompanionLesson(folder.file("missing.txt"), [](auto) { return true; }));
}
