// Opening a lesson the learner brings: line ends, encodings, files that are
// not lessons at all, and lessons too long for a box.
#include <sys/stat.h>

#include "tests/trainer/engine/study_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

namespace {

using Lines = std::vector<std::string>;

// Saved by a Linux editor: UTF-8, LF line ends, no CR anywhere.
TEST_F(StudyTest, ALessonSavedOnLinuxHasOneEntryPerLine) {
    session.openLesson(writeRaw("linux.txt", "apple  /ˈæpl/ n. 苹果\npear  梨\n\nplum  李子\n"));
    EXPECT_EQ(box(0), (Lines{"apple  /ˈæpl/ n. 苹果", "pear  梨", "plum  李子"}));
    EXPECT_EQ(session.countLine(), "卡中有3个单词");
    EXPECT_EQ(session.expectedAnswer(), "apple");
    answer("apple");
    EXPECT_EQ(box(5), Lines{"apple  /ˈæpl/ n. 苹果"});
}

TEST_F(StudyTest, ShortGbkLinesThatAreAlsoValidUtf8StayChinese) {
    session.openLesson(
        writeRaw("traditional.txt", "cat  \xD8\x88\r\none  \xD2\xBB\r\n"));  // 貓, 一
    EXPECT_EQ(box(0), (Lines{"cat  貓", "one  一"}));
}

TEST_F(StudyTest, APipeOrADeviceInPlaceOfALessonIsRefusedAtOnce) {
    openFruit();
    ASSERT_EQ(::mkfifo((lessonDir() + "/管道.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", lessonDir() + "/零.txt");
    for (const std::string name : {"管道.txt", "零.txt"}) {
        session.openLesson(lessonDir() + "/" + name);
        EXPECT_TRUE(box(0).empty());
        EXPECT_EQ(session.message(), "无法打开课文“" + name + "”：不是普通文件");
        EXPECT_EQ(session.expectedAnswer(), "");
    }
}

TEST_F(StudyTest, AMissingLessonIsSaidInChinese) {
    session.openLesson(lessonDir() + "/不存在.txt");
    EXPECT_EQ(session.message(), "无法打开课文“不存在.txt”：找不到文件");
}

// The reader stops keeping lines at the box's limit and only counts the rest,
// blank lines not included.
TEST_F(StudyTest, ALongLinuxLessonKeepsItsFirstEntriesAndCountsTheRest) {
    std::string bytes;
    for (int i = 0; i < 40000; ++i) {
        bytes += "w" + std::to_string(i) + "  x\n\n";
    }
    session.openLesson(writeRaw("长课.txt", bytes));
    EXPECT_EQ(box(0).size(), 32767u);
    EXPECT_EQ(box(0).back(), "w32766  x");
    EXPECT_EQ(session.message(), "“长课.txt”太长：只读入了前32767行，其余7233行没有读入。");
}

TEST_F(StudyTest, ExampleSentencesSavedOnLinuxAreFound) {
    folder.write("单词课文/word.dat",
                 "The cat sleeps.  猫在睡觉。\nA dog.  一只狗。\nMy cat.  我的猫。\n");
    session.openLesson(writeLesson("第二课.txt", {"cat  猫"}));
    session.showExamples();
    EXPECT_EQ(session.examples(), (Lines{"The cat sleeps.  猫在睡觉。", "My cat.  我的猫。"}));
}

}  // namespace
