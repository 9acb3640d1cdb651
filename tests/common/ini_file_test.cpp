#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/gbk_codec.h"

#include "tests/temp_folder.h"

using namespace lorvane::common;

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
    const Status refused = ini::writeValue(file, "s", "k", "two\r\nlines");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.message(), "设置值不能含有换行");
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

TEST(IniFile, OnePairOfMatchingQuotesAroundAValueIsDropped) {
    TempFolder folder;
    const std::string file =
        folder.write("girl.dat",
                     "[label]\r\nForeColor=\"255\"\r\nBackColor= '65280' \r\nq1=\"a'\r\nq2=\"\r\n"
                     "q3=\"\"\r\nq4=\"\"x\"\"\r\nq5=\" spaced \"\r\n");
    EXPECT_EQ(ini::readValue(file, "label", "ForeColor", "0"), "255");
    EXPECT_EQ(ini::readValue(file, "label", "BackColor", "0"), "65280");
    EXPECT_EQ(ini::readValue(file, "label", "q1", "-"), "\"a'");  // no matching pair
    EXPECT_EQ(ini::readValue(file, "label", "q2", "-"), "\"");
    EXPECT_EQ(ini::readValue(file, "label", "q3", "-"), "");
    EXPECT_EQ(ini::readValue(file, "label", "q4", "-"), "\"x\"");  // only one pair
    EXPECT_EQ(ini::readValue(file, "label", "q5", "-"), " spaced ");
}

// "貓" in GBK is D8 88, which is also well-formed UTF-8 (U+0608).
TEST(IniFile, TheFilesAreReadAsGbkEvenWhenTheyLookLikeUtf8) {
    TempFolder folder;
    const std::string file = folder.write("dan.dat", "[s]\r\nk=/\xD8\x88.txt\r\n");
    EXPECT_EQ(ini::readValue(file, "s", "k", ""), "/貓.txt");
    ASSERT_TRUE(ini::writeValue(file, "s", "other", "1"));
    EXPECT_EQ(folder.read("dan.dat"), "[s]\r\nk=/\xD8\x88.txt\r\nother=1\r\n");
}

namespace {

// Every key both programs write, in their order, and one that is refused.
std::vector<ini::Setting> everyKey() {
    std::vector<ini::Setting> settings = {{"label", "ForeColor", "16777215"},
                                          {"label", "BackColor", "8421376"}};
    for (const char* key : {"curkewen", "curword", "munOnTop", "top", "left", "zidongqidong",
                            "suijixianshi", "音量", "语速", "语音"}) {
        settings.push_back({"配置", key, "12"});
    }
    settings.push_back({"单词", "filename", "two\nlines"});  // refused, the rest go on
    for (const char* key : {"width", "height", "top", "left"}) {
        settings.push_back({"单词", key, "-30"});
    }
    settings.push_back({"单词", "filename", "/home/学习者/单词课文/第一课.txt"});
    settings.push_back({"单词", "filename", "/raw/\xB5\xDA\xD2\xBB.txt"});  // GBK bytes
    for (const char* key : {"check0", "check1", "check2", "check3", "check4", "角色", "语速"}) {
        settings.push_back({"单词", key, "1"});
    }
    return settings;
}

}  // namespace

// One write of many keys must give exactly the bytes of writing the keys one
// at a time, as the program did before, on files of every shape.
TEST(IniFile, OneWriteOfManyKeysGivesTheBytesOfManyWritesOfOne) {
    const std::string gbkConfig = gbk::encode("[配置]");
    const std::vector<std::string> files = {
        "",
        "[label]\r\nForeColor=1\r\nBackColor=2\r\n" + gbkConfig + "\r\ncurkewen=0\r\n",
        "; notes\n[Label]\n  FORECOLOR = 255 \n\n[other]\nx=1\n" + gbkConfig + "\nCURKEWEN=3\n",
        "[label]\rForeColor=1\r\r[x]\ry=2",
        "[x]\r\na=b\r\n[label]\r\nforecolor=1",
        "[label]\r\nForeColor=1\r\n[other]\r\n[LABEL]\r\nBackColor=5\r\n",
        "[label]\r\n\r\nForeColor=1\r\n\r\n\r\n" + gbkConfig + "\r\n\r\n",
        "  [ label ] ; colours\r\nForeColor = 1\r\n",
        "[label]\r\njunk line\r\nForeColor\r\n\tBackColor=1\r\n",
        "[label]\r\nodd=\xFF\x80\xFE\r\n\xD8\x88=\xC2\xA0\r\n",
        "[\xE9\x85\x8D\xE7\xBD\xAE]\ncurkewen=1\n[label]\n",  // hand-made in UTF-8
        "\xEF\xBB\xBF[label]\r\nForeColor=1\r\n",
        "[label\r\nForeColor=1\r\n",
        "[label]\n\rForeColor=1\r\n\n",
        "[label]\r\nForeColor=\"1\"\r\n=nameless\r\n",
        "no section at all\r\nForeColor=1\r\n",
    };
    const std::vector<ini::Setting> settings = everyKey();
    for (std::size_t i = 0; i <= files.size(); ++i) {
        SCOPED_TRACE(i == files.size() ? std::string("no file") : files[i]);
        TempFolder folder;
        if (i < files.size()) {
            folder.write("once.dat", files[i]);
            folder.write("keywise.dat", files[i]);
        }
        EXPECT_FALSE(ini::writeValues(folder.file("once.dat"), settings));  // one was refused
        for (const ini::Setting& setting : settings) {
            // Refused or not, as writeValues has it.
            (void)ini::writeValue(folder.file("keywise.dat"), setting.section, setting.key,
                                  setting.value);
        }
        EXPECT_EQ(folder.read("once.dat"), folder.read("keywise.dat"));
    }
}

TEST(IniFile, AHandEditedFileKeepsEverythingButTheValuesWritten) {
    TempFolder folder;
    const std::string file =
        folder.write("girl.dat", "; notes\n[Label]\n  FORECOLOR = 255 \n\n[other]\nx=1\n");
    ASSERT_TRUE(ini::writeValues(file, {{"label", "ForeColor", "1"},
                                        {"label", "BackColor", "2"},
                                        {"other", "X", "3"},
                                        {"new", "k", "4"}}));
    EXPECT_EQ(folder.read("girl.dat"),
              "; notes\r\n[Label]\r\nFORECOLOR=1\r\nBackColor=2\r\n\r\n[other]\r\nx=3\r\n"
              "[new]\r\nk=4\r\n");
}

TEST(IniFile, NothingWrittenWhenEveryValueIsRefused) {
    TempFolder folder;
    EXPECT_FALSE(ini::writeValues(folder.file("new.dat"), {{"s", "k", "a\nb"}}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.dat")));
    const std::string file = folder.write("s.dat", "[s]\nk=1\n");
    EXPECT_FALSE(ini::writeValues(file, {{"s", "k", "a\rb"}, {"s", "", "1"}}));
    EXPECT_EQ(folder.read("s.dat"), "[s]\nk=1\n");
}
