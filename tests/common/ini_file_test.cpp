#include "ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace {
// "单词" and "语速" in GBK.
constexpr std::string_view kWordsSection = "\xB5\xA5\xB4\xCA";
constexpr std::string_view kRateKey = "\xD3\xEF\xCB\xD9";
}  // namespace

TEST(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    TempFolder folder;
    EXPECT_EQ(ini::readValue(folder.file("none.dat"), "单词", "width", "6165"), "6165");
    const std::string file = folder.write("dan.dat", "[other]\r\nwidth=1\r\n");
    EXPECT_EQ(ini::readValue(file, "单词", "width", "6165"), "6165");
    EXPECT_EQ(ini::readValue(file, "other", "height", "4125"), "4125");
}

TEST(IniFile, NamesMatchInAnyLetterCaseAndValuesAreTrimmed) {
    TempFolder folder;
    const std::string file = folder.write("girl.dat", "[LABEL]\r\n  backcolor =  8421376  \r\n[" +
                                                          std::string(kWordsSection) + "]\r\n" +
                                                          std::string(kRateKey) + "=-3\r\n");
    EXPECT_EQ(ini::readValue(file, "label", "BackColor", "0"), "8421376");
    EXPECT_EQ(ini::readValue(file, "单词", "语速", "0"), "-3");
}

TEST(IniFile, ValueIsCutToTheBufferUnlessTheWholeValueIsAsked) {
    TempFolder folder;
    const std::string path = "/学习/" + std::string(300, 'x') + "/第一课.txt";
    const std::string file = folder.file("dan.dat");
    ASSERT_TRUE(ini::writeValue(file, "单词", "filename", path));
    EXPECT_EQ(ini::readValue(file, "单词", "filename", "无"), path.substr(0, 4 + 3 * 2 + 249));
    EXPECT_EQ(ini::readValue(file, "单词", "filename", "无", ini::kWholeValue), path);
}

TEST(IniFile, NewFileHoldsTheKeysInWriteOrderAsGbkWithCrLf) {
    TempFolder folder;
    const std::string file = folder.file("dan.dat");
    ASSERT_TRUE(ini::writeValue(file, "单词", "width", "6165"));
    ASSERT_TRUE(ini::writeValue(file, "单词", "语速", "0"));
    ASSERT_TRUE(ini::writeValue(file, "label", "ForeColor", "16777215"));
    EXPECT_EQ(folder.read("dan.dat"), "[" + std::string(kWordsSection) + "]\r\nwidth=6165\r\n" +
                                          std::string(kRateKey) + "=0\r\n[label]\r\n" +
                                          "ForeColor=16777215\r\n");
}

TEST(IniFile, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
    TempFolder folder;
    const std::string original =
        "; hand-written notes\r\n[a]\r\nKey=old\r\nother = 1\r\n\r\n[b]\r\nx=2\r\n";
    const std::string file = folder.write("s.dat", original);
    ASSERT_TRUE(ini::writeValue(file, "A", "key", "new"));
    ASSERT_TRUE(ini::writeValue(file, "a", "added", "3"));
    ASSERT_TRUE(ini::writeValue(file, "b", "y", "4"));
    EXPECT_EQ(folder.read("s.dat"),
              "; hand-written notes\r\n[a]\r\nKey=new\r\nother = 1\r\nadded=3\r\n\r\n"
              "[b]\r\nx=2\r\ny=4\r\n");
}

TEST(IniFile, UnknownBytesInOtherLinesSurviveARewrite) {
    TempFolder folder;
    const std::string original = "[s]\r\nodd=\xFF\xC6\r\nk=1\r\n";
    const std::string file = folder.write("s.dat", original);
    ASSERT_TRUE(ini::writeValue(file, "s", "k", "2"));
    EXPECT_EQ(folder.read("s.dat"), "[s]\r\nodd=\xFF\xC6\r\nk=2\r\n");
}

TEST(IniFile, AFileEditedWithUnixLineEndsIsStillRead) {
    TempFolder folder;
    const std::string file = folder.write("s.dat", "[s]\nk=1\nj=2");
    EXPECT_EQ(ini::readValue(file, "s", "j", ""), "2");
}

TEST(IniFile, RefusesValuesThatCannotStandOnOneLine) {
    TempFolder folder;
    const std::string file = folder.write("s.dat", "[s]\r\nk=1\r\n");
    std::string error;
    EXPECT_FALSE(ini::writeValue(file, "s", "k", "two\r\nlines", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ini::writeValue(file, "s", "k", "bare\nLF"));
    EXPECT_FALSE(ini::writeValue(file, "s", "a=b", "1"));
    EXPECT_EQ(folder.read("s.dat"), "[s]\r\nk=1\r\n");
}

TEST(IniFile, MissingFolderFailsWithoutCreatingIt) {
    TempFolder folder;
    const std::string file = folder.file("gone/dan.dat");
    EXPECT_FALSE(ini::writeValue(file, "s", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone")));
}

TEST(IniFile, AFileThatCannotBeReadIsNeverReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("dan.dat"));
    EXPECT_FALSE(ini::writeValue(folder.file("dan.dat"), "s", "k", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dan.dat")));
}
