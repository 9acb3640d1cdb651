#include "common/settings_relocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/gbk_codec.h"
#include "common/ini_file.h"
#include "common/stored_path.h"
#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {

namespace fs = std::filesystem;

std::string gbkText(const std::string& utf8) {
    return gbk::encode(utf8);
}

// Two lesson folders holding the same lessons, as after a copy: stored
// paths are read back by the lessons that exist.
class SettingsRelocation : public ::testing::Test {
protected:
    SettingsRelocation() {
        for (const std::string& lesson : lessons_) {
            for (const std::string& folder : {from(), to()}) {
                fs::create_directories(fs::path(folder + lesson).parent_path());
                temp_.write(fs::path(folder + lesson).lexically_relative(temp_.path()).native(),
                            "a  b\r\n");
            }
        }
    }

    std::string from() const { return temp_.file("只读/单词课文/"); }
    std::string to() const { return temp_.file("home/lorvane/单词课文/"); }

    TempFolder temp_;
    // A folder named in GBK bytes, as one copied from an old system.
    const std::vector<std::string> lessons_ = {"基础词汇/第1课.txt", "\xB5\xDA\xD2\xBB/x.txt",
                                               "emoji 😀/y.txt"};
};

}  // namespace

TEST_F(SettingsRelocation, LorvanesLessonIsTheCopyAndEveryOtherLineStays) {
    for (const std::string& lesson : lessons_) {
        const std::string before = gbkText("[单词]\r\nfilename=" + storedPathText(from() + lesson) +
                                           "\r\nwidth=6165\r\n; a remark\r\n[other]\r\nx=1\r\n");
        const std::optional<std::string> after = relocateTrainerSettings(before, from(), to());
        ASSERT_TRUE(after) << lesson;
        EXPECT_EQ(*after, gbkText("[单词]\r\nfilename=" + storedPathText(to() + lesson) +
                                  "\r\nwidth=6165\r\n; a remark\r\n[other]\r\nx=1\r\n"));
        // Read back as Lorvane reads it: byte for byte the copy's path.
        EXPECT_EQ(pathFromStoredText(ini::Document::fromBytes(*after).value("单词", "FILENAME", "",
                                                                            ini::kWholeValue)),
                  to() + lesson);
    }
}

TEST_F(SettingsRelocation, SettingsNamingNoLessonOfTheFolderStayAsTheyAre) {
    for (const std::string& text : std::vector<std::string>{
             "[单词]\r\nfilename=/elsewhere/第1课.txt\r\n", "[单词]\r\nfilename=无\r\n",
             "[单词]\r\nwidth=1\r\n", "",
             "[other]\r\nfilename=" + from() + "基础词汇/第1课.txt\r\n",
             // The folder's name alone is no lesson in it.
             "[单词]\r\nfilename=" + from().substr(0, from().size() - 1) + "x/第1课.txt\r\n"}) {
        EXPECT_EQ(relocateTrainerSettings(gbkText(text), from(), to()), std::nullopt) << text;
    }
}

TEST_F(SettingsRelocation, MisellesListMovesItsLessonsInTheFolderAndKeepsTheirTicks) {
    const std::string before =
        "T" + storedPathText(from() + lessons_[0]) + "\r\n   \r\n" +  // a blank line
        "t" + storedPathText(from() + lessons_[1]) + "\n" +           // a lone LF ends it
        "F/elsewhere/z.txt\r" +                                       // outside: kept
        "勾" + storedPathText(from() + lessons_[2]) + "\r\n";
    const std::optional<std::string> after = relocateLessonList(gbkText(before), from(), to());
    ASSERT_TRUE(after);
    EXPECT_EQ(*after,
              gbkText("T" + storedPathText(to() + lessons_[0]) + "\r\n" + "t" +
                      storedPathText(to() + lessons_[1]) + "\r\n" + "F/elsewhere/z.txt\r\n" + "勾" +
                      storedPathText(to() + lessons_[2]) + "\r\n\r\n"));

    EXPECT_EQ(relocateLessonList(gbkText("T/elsewhere/z.txt\r\n\r\n"), from(), to()), std::nullopt);
    EXPECT_EQ(relocateLessonList("", from(), to()), std::nullopt);
}
