#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {
std::vector<std::string> split(std::string_view bytes) {
    std::vector<std::string> lines;
    for (const std::string_view line : splitLines(bytes)) {
        lines.emplace_back(line);
    }
    return lines;
}
}  // namespace

TEST(TextFile, LineEndsAreCrLfOrLoneCrButNotLoneLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(split("a\r\nb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(split("a\nb\r\n"), (Lines{"a\nb"}));
    EXPECT_EQ(split("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(split("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(split("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(split(""), Lines{});
    EXPECT_EQ(split("last line without end"), (Lines{"last line without end"}));
}

TEST(TextFile, ALearnersFileWithoutAnyCrSplitsAtLf) {
    using Lines = std::vector<std::string>;
    auto learner = [](std::string_view bytes) {
        Lines lines;
        for (const std::string_view line : splitLines(bytes, Decoding::Detect)) {
            lines.emplace_back(line);
        }
        return lines;
    };
    EXPECT_EQ(learner("a\nb\n\nc"), (Lines{"a", "b", "", "c"}));
    // One CR anywhere: the file keeps the old rule, LF stays in the line.
    EXPECT_EQ(learner("a\nb\r\nc"), (Lines{"a\nb", "c"}));
    EXPECT_EQ(learner(""), Lines{});
    // Files the system writes never split at LF.
    EXPECT_EQ(splitLines("a\nb", Decoding::Gbk).size(), 1u);
}

TEST(TextFile, TrimmingRemovesAsciiSpacesOnly) {
    EXPECT_EQ(trimSpaces("  apple  苹果  "), "apple  苹果");
    EXPECT_EQ(trimSpaces("\tapple\t"), "\tapple\t");
    EXPECT_EQ(trimSpaces("\xE3\x80\x80"
                         "apple"),
              "\xE3\x80\x80"
              "apple");  // U+3000 stays
    EXPECT_EQ(trimSpaces("     "), "");
}

TEST(TextFile, ReadsGbkAndUtf8FilesToTheSameText) {
    TempFolder folder;
    folder.write("gbk.txt", "apple  \xC6\xBB\xB9\xFB\r\nend");
    folder.write("utf8.txt", "apple  苹果\r\nend");
    folder.write("bom.txt",
                 "\xEF\xBB\xBF"
                 "apple  苹果\r\nend");
    const std::vector<std::string> expected{"apple  苹果", "end"};
    for (const char* name : {"gbk.txt", "utf8.txt", "bom.txt"}) {
        EXPECT_EQ(readLines(folder.file(name), Decoding::Detect).valueOr({"<unread>"}), expected)
            << name;
    }
    // Files the programs write themselves are always read as GBK.
    folder.write("short.lt0", "\xC6\xBB\r\n");  // 苹 in GBK, also valid UTF-8
    EXPECT_EQ(readLines(folder.file("short.lt0"), Decoding::Gbk).valueOr({"<unread>"}),
              std::vector<std::string>{"苹"});
    folder.write("rare.lt0", "\xD8\x88\r\n");  // 貓, also valid UTF-8
    EXPECT_EQ(readLines(folder.file("rare.lt0"), Decoding::Gbk).valueOr({"<unread>"}),
              std::vector<std::string>{"貓"});
}

// A file read into one block of text gives the lines it gives line by line,
// also when its text outgrows the room made for it (each byte GBK can't
// decode takes three), and the lines stay good wherever the block is moved.
TEST(TextFile, LinesInOneBlockAreTheLinesReadOneByOne) {
    TempFolder folder;
    std::string undecodable;
    for (int i = 0; i < 2000; ++i) {
        undecodable += "\x80\xFF\x80\xFF\x80\xFF\x80\xFF\r\n";
    }
    const std::pair<const char*, std::string> files[] = {
        {"box.lt0", "apple  \xC6\xBB\xB9\xFB\r\nlone\nfeed\rcr\r\n\r\nlast"},
        {"odd.lt1", undecodable},
        {"empty.lt2", ""},
        {"lesson.txt",
         "\xEF\xBB\xBF"
         "apple  苹果\nend\n"},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = folder.write(name, bytes);
        const Decoding decoding =
            std::string_view(name).ends_with(".txt") ? Decoding::Detect : Decoding::Gbk;
        Result<TextLines> read = readTextLines(path, decoding);
        ASSERT_TRUE(read) << name;
        const TextLines moved = std::move(read.value());
        EXPECT_EQ(std::vector<std::string>(moved.lines.begin(), moved.lines.end()),
                  readLines(path, decoding).valueOr({"<unread>"}))
            << name;
    }
    EXPECT_FALSE(readTextLines(folder.file("missing.lt0"), Decoding::Gbk));
}

TEST(TextFile, AByteOrderMarkBeforeGbkIsDroppedAndTheRestReadAsGbk) {
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"
                             "apple  \xC6\xBB\xB9\xFB",
                             Decoding::Detect),
              "apple  苹果");
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"
                             "apple  苹果",
                             Decoding::Detect),
              "apple  苹果");
}

TEST(TextFile, ExampleSentencesSavedOnLinuxSplitAtLf) {
    TempFolder folder;
    folder.write("word.dat", "I like apples.  我喜欢苹果。\nGood morning.  早上好。\n");
    EXPECT_EQ(
        readLines(folder.file("word.dat"), Decoding::Detect).valueOr({"<unread>"}),
        (std::vector<std::string>{"I like apples.  我喜欢苹果。", "Good morning.  早上好。"}));
}

TEST(TextFile, MissingFileIsReportedNotEmpty) {
    const Result<std::vector<std::string>> lines =
        readLines("/nonexistent/lesson.txt", Decoding::Detect);
    EXPECT_FALSE(lines);
    EXPECT_EQ(lines.message(), "找不到文件");
}

// A pipe would block the open until a writer came, a device never ends:
// each is refused at once, for both kinds of file and for the raw bytes.
TEST(TextFile, PipesDevicesAndFoldersAreRefusedWithoutBlocking) {
    TempFolder folder;
    const std::string pipe = folder.file("pipe.lt0");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.lt0"));
    std::filesystem::create_directory(folder.file("folder.lt0"));
    for (const char* name : {"pipe.lt0", "zero.lt0", "folder.lt0"}) {
        for (const Decoding decoding : {Decoding::Gbk, Decoding::Detect}) {
            const Result<std::vector<std::string>> lines = readLines(folder.file(name), decoding);
            EXPECT_FALSE(lines) << name;
            EXPECT_NE(lines.message().find("不是普通文件"), std::string::npos)
                << name << " " << lines.message();
        }
        EXPECT_FALSE(readFileBytes(folder.file(name))) << name;
    }
}

TEST(TextFile, AFileLargerThanTheBoundIsRefused) {
    TempFolder folder;
    const std::string path = folder.write("big.dat", std::string(5000, 'x'));
    const Result<std::string> tooLarge = readFileBytes(path, 4096);
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.message(), "文件太大");
    EXPECT_EQ(readFileBytes(path, 5000).valueOr("").size(), 5000u);
}

// One line longer than any lesson line (a file of zeros, say) ends the read
// instead of being collected whole.
TEST(TextFile, AnOverlongLineEndsTheReadWithAnError) {
    TempFolder folder;
    const std::string path =
        folder.write("huge.lt0", "one\r\n" + std::string(kMaxLineBytes + 1, '\0') + "\r\ntwo\r\n");
    for (const Decoding decoding : {Decoding::Gbk, Decoding::Detect}) {
        std::vector<std::string> seen;
        const Status read = forEachLine(path, decoding, [&seen](std::string line) {
            seen.push_back(std::move(line));
            return true;
        });
        EXPECT_FALSE(read);
        EXPECT_EQ(seen, std::vector<std::string>{"one"});
        EXPECT_EQ(read.message(), "文件中有一行太长");
    }
}

TEST(TextFile, WritesGbkWithCrLfAfterEveryLine) {
    EXPECT_EQ(encodeLines(std::vector<std::string>{"apple  苹果", "", "x"}),
              "apple  \xC6\xBB\xB9\xFB\r\n\r\nx\r\n");
    EXPECT_EQ(encodeLines(std::vector<std::string>{}), "");
}
