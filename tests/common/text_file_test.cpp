#include "text_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

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
        EXPECT_EQ(readLines(folder.file(name), Decoding::Detect), expected) << name;
    }
    // Files the programs write themselves are always read as GBK.
    folder.write("short.lt0", "\xC6\xBB\r\n");  // 苹 in GBK, also valid UTF-8
    EXPECT_EQ(readLines(folder.file("short.lt0"), Decoding::Gbk), std::vector<std::string>{"苹"});
}

TEST(TextFile, MissingFileIsReportedNotEmpty) {
    std::string error;
    EXPECT_EQ(readLines("/nonexistent/lesson.txt", Decoding::Detect, &error), std::nullopt);
    EXPECT_FALSE(error.empty());
}

TEST(TextFile, WritesGbkWithCrLfAfterEveryLine) {
    EXPECT_EQ(encodeLines({"apple  苹果", "", "x"}), "apple  \xC6\xBB\xB9\xFB\r\n\r\nx\r\n");
    EXPECT_EQ(encodeLines({}), "");
}
