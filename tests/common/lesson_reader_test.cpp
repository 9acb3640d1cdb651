#include "common/lesson_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/gbk_codec.h"
#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {

using Lines = std::vector<std::string>;
using Views = std::vector<std::string_view>;

Lines companionItems(const std::string& path, std::size_t* leftOut = nullptr) {
    Lines items;
    const Result<std::size_t> read = readCompanionLesson(path, [&items](std::string item) {
        items.push_back(std::move(item));
        return true;
    });
    EXPECT_TRUE(read) << read.message();
    if (leftOut) {
        *leftOut = read.valueOr(0);
    }
    return items;
}

// `count` lines "w<i>  x", each ending with `end`.
std::string numberedLines(int count, std::string_view end = "\r\n") {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "w" + std::to_string(i) + "  x";
        bytes += end;
    }
    return bytes;
}

}  // namespace

TEST(LessonReader, TrainerKeepsTrimmedNonBlankLines) {
    TempFolder folder;
    const std::string path = folder.write(
        "lesson.txt", "  apple  \xC6\xBB\xB9\xFB  \r\n\r\n     \r\nlook at   see\rlast  line");
    const auto lesson = readLessonEntries(path);
    ASSERT_TRUE(lesson);
    EXPECT_EQ(lesson.value().entries.lines, (Views{"apple  苹果", "look at   see", "last  line"}));
    EXPECT_EQ(lesson.value().leftOut, 0u);
}

// Saved by a Linux editor: LF only, no CR anywhere. Both readers split it
// into its lines; a CR LF lesson with a bare LF inside a line keeps it there.
TEST(LessonReader, BothReadersSplitALessonWithoutCrAtLf) {
    TempFolder folder;
    const std::string unix = folder.write("unix.txt", " one  1 \n\n  \ntwo  2\n");
    EXPECT_EQ(readLessonEntries(unix).value().entries.lines, (Views{"one  1", "two  2"}));
    EXPECT_EQ(companionItems(unix), (Lines{"one  1", "", "", "two  2"}));

    const std::string mixed = folder.write("mixed.txt", "one  1\ntwo  2\r\nthree  3\r\n");
    EXPECT_EQ(readLessonEntries(mixed).value().entries.lines,
              (Views{"one  1\ntwo  2", "three  3"}));
    EXPECT_EQ(companionItems(mixed), (Lines{"one  1two  2", "three  3"}));
}

TEST(LessonReader, Utf8LessonsWithAndWithoutByteOrderMark) {
    TempFolder folder;
    const std::string plain = folder.write("utf8.txt", "apple  /ˈæpl/ n. 苹果\nit’s  它是\n");
    EXPECT_EQ(readLessonEntries(plain).value().entries.lines,
              (Views{"apple  /ˈæpl/ n. 苹果", "it’s  它是"}));
    const std::string marked = folder.write("bom.txt", "\xEF\xBB\xBF\r\napple  苹果\r\n");
    EXPECT_EQ(readLessonEntries(marked).value().entries.lines, Views{"apple  苹果"});
    EXPECT_EQ(companionItems(marked), (Lines{"", "apple  苹果"}));
    // A mark before GBK: dropped, and the lesson read as GBK.
    const std::string gbkAfterMark = folder.write("bomgbk.txt",
                                                  "\xEF\xBB\xBF"
                                                  "apple  \xC6\xBB\xB9\xFB\r\n");
    EXPECT_EQ(readLessonEntries(gbkAfterMark).value().entries.lines, Views{"apple  苹果"});
    // Short GBK that is also valid UTF-8 stays GBK: 貓 (D8 88).
    const std::string rare = folder.write("rare.txt", "cat  \xD8\x88\r\n");
    EXPECT_EQ(readLessonEntries(rare).value().entries.lines, Views{"cat  貓"});
    EXPECT_EQ(companionItems(rare), Lines{"cat  貓"});
}

TEST(LessonReader, EmptyMissingAndUnreadableFiles) {
    TempFolder folder;
    EXPECT_EQ(readLessonEntries(folder.write("empty.txt", "")).value().entries.lines, Views{});
    EXPECT_EQ(companionItems(folder.write("empty.txt", "")), Lines{});
    const Result<LessonLines> missing = readLessonEntries(folder.file("missing.txt"));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.message(), "找不到文件");
    ASSERT_EQ(::mkfifo(folder.file("pipe.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.txt"));
    for (const char* name : {"pipe.txt", "zero.txt"}) {
        const Result<LessonLines> forTrainer = readLessonEntries(folder.file(name));
        EXPECT_FALSE(forTrainer) << name;
        EXPECT_EQ(forTrainer.message(), "不是普通文件");
        const Result<std::size_t> forCompanion =
            readCompanionLesson(folder.file(name), [](auto) { return true; });
        EXPECT_FALSE(forCompanion) << name;
        EXPECT_EQ(forCompanion.message(), "不是普通文件");
    }
}

// Past the limit the reader only counts: blank lines don't count for the
// trainer, which skips them, and do for the companion, where they are items.
TEST(LessonReader, BothReadersStopAtTheLimitAndCountTheRest) {
    TempFolder folder;
    for (const std::string_view end : {"\r\n", "\n"}) {
        const std::string path =
            folder.write("long.txt", numberedLines(kMaxLessonLines + 3, end) + std::string(end) +
                                         "   " + std::string(end) + "tail  y");
        const auto lesson = readLessonEntries(path);
        ASSERT_TRUE(lesson);
        EXPECT_EQ(lesson.value().entries.lines.size(), kMaxLessonLines);
        EXPECT_EQ(lesson.value().entries.lines.back(), "w32766  x");
        EXPECT_EQ(lesson.value().leftOut, 4u);

        std::size_t leftOut = 0;
        const Lines items = companionItems(path, &leftOut);
        EXPECT_EQ(items.size(), kMaxLessonLines);
        EXPECT_EQ(leftOut, 6u);
    }
}

// A file of one endless line: nothing is kept whole, the line is counted.
TEST(LessonReader, AnOverlongLineAndWhatFollowsAreLeftOut) {
    TempFolder folder;
    const std::string path = folder.write(
        "zeros.txt", "first  1\r\n" + std::string(kMaxLineBytes + 10, '0') + "\r\nlast  2\r\n");
    const auto lesson = readLessonEntries(path);
    ASSERT_TRUE(lesson);
    EXPECT_EQ(lesson.value().entries.lines, Views{"first  1"});
    EXPECT_EQ(lesson.value().leftOut, 2u);
}

TEST(LessonReader, CompanionKeepsBlankLinesDropsLfAndYieldsAfterEachLine) {
    TempFolder folder;
    const std::string path = folder.write("lesson.txt", " apple  1 \r\n\r\n  \r\nb\nc  2\r\n");
    EXPECT_EQ(companionItems(path), (Lines{"apple  1", "", "", "bc  2"}));
}

TEST(LessonReader, CompanionCanAbandonALoadHalfWay) {
    TempFolder folder;
    const std::string path = folder.write("lesson.txt", "a  1\r\nb  2\r\nc  3\r\n");
    int calls = 0;
    EXPECT_TRUE(
        readCompanionLesson(path, [&calls](const std::string&) { return ++calls < 2; }).ok());
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(readCompanionLesson(folder.file("missing.txt"), [](auto) { return true; }).ok());
}
