// The trainer's settings file dan.dat, read at start and written at closing.
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "common/ini_file.h"
#include "tests/trainer/engine/study_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

namespace {
constexpr int kScreenWidth = 1024 * 15;
constexpr int kScreenHeight = 768 * 15;

// "单词", "角色" and "语速" in GBK.
const std::string kSection = "\xB5\xA5\xB4\xCA";
const std::string kVoiceKey = "\xBD\xC7\xC9\xAB";
const std::string kRateKey = "\xD3\xEF\xCB\xD9";
}  // namespace

class SettingsTest : public StudyTest {
protected:
    SettingsTest() { session.loadVoices(); }
    // Loads the settings as the start does, counting the chooser shown.
    void load(StudySession& which) {
        if (which.loadSettings(kScreenWidth, kScreenHeight) ==
            StudySession::AfterSettings::ShowChooser) {
            ++chooserShown;
        }
    }
    // Studies the first fruit word and closes, as a run before the start
    // being tested; returns the lesson.
    std::string studyAppleAndClose() {
        openFruit();
        answer("apple");
        EXPECT_TRUE(session.saveProgress());
        EXPECT_TRUE(session.saveSettings());
        return session.currentLesson();
    }
    // Starts `which` as the program does, with progress read ahead or none.
    void start(StudySession& which, std::future<std::optional<ProgressReadAhead>> readAhead = {}) {
        which.offerProgressReadAhead(std::move(readAhead));
        which.loadVoices();
        load(which);
    }
    void writeSettings(const std::string& utf8Body) {
        folder.write("单词课文/dan.dat", gbk::encode("[单词]\r\n" + utf8Body));
    }
    int chooserShown = 0;
};

TEST_F(SettingsTest, FirstStartTakesTheDefaultsAndShowsTheChooser) {
    load(session);
    EXPECT_EQ(session.place().width, 6165);
    EXPECT_EQ(session.place().height, 4125);
    EXPECT_EQ(session.place().left, kScreenWidth / 2 - 3000);
    EXPECT_EQ(session.place().top, kScreenHeight / 2 - 2000);
    EXPECT_EQ(session.options().state(StudyOption::ShowEnglish), OptionState::Off);
    EXPECT_EQ(session.options().state(StudyOption::ShowMeaning), OptionState::On);
    EXPECT_EQ(session.options().state(StudyOption::AutoPageTurn),
              OptionState::Off);  // on by design, off by the missing key's default
    EXPECT_EQ(session.selectedVoice(), 0);
    EXPECT_EQ(voice.selections, std::vector<int>{0});
    EXPECT_EQ(session.rate(), 0);
    EXPECT_TRUE(voice.rateCalls.empty());  // the same value: the voice keeps its rate
    EXPECT_EQ(session.currentLesson(), "");
    EXPECT_EQ(chooserShown, 1);
}

TEST_F(SettingsTest, StoredValuesAreAppliedAndRefusedOnesIgnored) {
    writeSettings(
        "WIDTH=7000\r\nheight=6060\r\ntop=abc\r\nleft=40000\r\ncheck0=1\r\ncheck2=3\r\n"
        "check4=2\r\n角色=-1\r\n语速=15\r\nfilename=  \r\n");
    load(session);
    EXPECT_EQ(session.place().width, 7000);
    EXPECT_EQ(session.place().height, 6060);
    EXPECT_EQ(session.place().top, 0);   // "abc": the window keeps its place
    EXPECT_EQ(session.place().left, 0);  // 40000: outside 16 bits
    EXPECT_EQ(session.options().state(StudyOption::ShowEnglish), OptionState::On);
    EXPECT_EQ(session.options().state(StudyOption::SpeakWords), OptionState::Off);  // 3 is refused
    EXPECT_EQ(session.options().state(StudyOption::RandomWord), OptionState::Greyed);
    EXPECT_EQ(session.selectedVoice(), -1);
    EXPECT_TRUE(voice.selections.empty());  // the system's default voice stays
    EXPECT_EQ(session.rate(), 0);
    EXPECT_TRUE(voice.rateCalls.empty());
    EXPECT_EQ(session.currentLesson(), "");
    EXPECT_EQ(chooserShown, 0);  // an empty name opens no chooser from here
}

TEST_F(SettingsTest, AStoredRateAndVoiceReachTheVoice) {
    writeSettings("角色=2\r\n语速=-10\r\n");
    load(session);
    EXPECT_EQ(voice.selectedVoice(), 2);
    EXPECT_EQ(voice.rate(), -10);
    writeSettings("角色=3\r\n");  // only three voices
    load(session);
    EXPECT_EQ(session.selectedVoice(), 2);
}

TEST_F(SettingsTest, TheLastLessonIsRestoredWithoutAQuestion) {
    const std::string lesson = studyAppleAndClose();

    StudySession next(folder.path(), voice, recorder, random, prompts);
    start(next);
    EXPECT_EQ(next.currentLesson(), lesson);
    EXPECT_EQ(boxEntries(next.boxes(), 5), std::vector<std::string>{"apple  苹果"});
    EXPECT_EQ(next.expectedAnswer(), "pear");
    EXPECT_EQ(prompts.questions, 0);
}

// The progress read ahead while the program starts is what the start shows
// when it is of the lesson the settings reopen; read for another lesson, it
// is not used, and none of it is kept for later.
TEST_F(SettingsTest, ProgressReadAheadIsTakenOnlyForTheLessonReopened) {
    const std::string lesson = studyAppleAndClose();

    StudySession ahead(folder.path(), voice, recorder, random, prompts);
    start(ahead, startReadingProgressAhead(folder.path()));
    EXPECT_EQ(boxEntries(ahead.boxes(), 5), std::vector<std::string>{"apple  苹果"});
    EXPECT_EQ(ahead.expectedAnswer(), "pear");

    // Read ahead, then changed on disk before the start reads it.
    auto readEarlier = startReadingProgressAhead(folder.path());
    readEarlier.wait();
    writeRaw("第一课.lt0", gbk::encode("plum  李子\r\n\r\n"));
    StudySession changed(folder.path(), voice, recorder, random, prompts);
    start(changed, std::move(readEarlier));
    EXPECT_EQ(changed.expectedAnswer(), "pear");  // the read ahead, taken

    // Of another lesson, or stale when the start reopens none: the start and
    // a later restore read the files themselves.
    const auto staleReadOf = [](const std::string& baseName) {
        std::promise<std::optional<ProgressReadAhead>> promised;
        ProgressRead stale;
        stale.boxes[0] = lorvane::common::TextLines::copyOf({"stale  旧"});
        promised.set_value(ProgressReadAhead{baseName, std::move(stale)});
        return promised.get_future();
    };
    StudySession elsewhere(folder.path(), voice, recorder, random, prompts);
    start(elsewhere, staleReadOf(lessonDir() + "/另一课"));
    EXPECT_EQ(elsewhere.expectedAnswer(), "plum");

    writeSettings("");  // no lesson: the chooser comes up
    StudySession later(folder.path(), voice, recorder, random, prompts);
    start(later, staleReadOf(lessonDir() + "/第一课"));
    ASSERT_TRUE(later.restoreProgress(lesson));
    EXPECT_EQ(later.expectedAnswer(), "plum");
}

// A stored lesson without ".txt" has no progress files: the start says so on
// the message line, the close says nothing and keeps the stored name.
TEST_F(SettingsTest, AStoredLessonWithoutTxtIsToldOnceWhenTheWindowComesUp) {
    const std::string lesson = lessonDir() + "/旧课";
    writeSettings("filename=" + lesson + "\r\n");
    load(session);
    EXPECT_EQ(session.message(), "课文“旧课”的名字里没有“.txt”，学习进度无法读取，也无法保存。");
    EXPECT_FALSE(session.saveProgress());
    ASSERT_TRUE(session.saveSettings());
    EXPECT_TRUE(prompts.warnings.empty());
    StudySession next(folder.path(), voice, recorder, random, prompts);
    load(next);
    EXPECT_EQ(next.currentLesson(), lesson);
}

TEST_F(SettingsTest, SavingWritesTheTwelveKeysInOrderAsGbk) {
    session.openLesson("/学习/单词课文/初一/第一课.txt");
    session.setPlace({.left = 1500, .top = -30, .width = 6165, .height = 6060});
    session.setOption(StudyOption::RandomWord, OptionState::On);
    session.selectVoice(1);
    session.setRate(-3);
    ASSERT_TRUE(session.saveSettings());
    EXPECT_EQ(folder.read("单词课文/dan.dat"),
              "[" + kSection + "]\r\nwidth=6165\r\nheight=6060\r\ntop=-30\r\nleft=1500\r\n" +
                  "filename=" + gbk::encode("/学习/单词课文/初一/第一课.txt") + "\r\n" +
                  "check0=0\r\ncheck1=1\r\ncheck2=0\r\ncheck3=1\r\ncheck4=1\r\n" + kVoiceKey +
                  "=1\r\n" + kRateKey + "=-3\r\n");

    session.setPlace({.left = 1500, .top = 45, .width = 6165, .height = 6060});
    ASSERT_TRUE(session.saveSettings());  // a second save replaces values in place
    EXPECT_NE(folder.read("单词课文/dan.dat").find("\r\ntop=45\r\nleft=1500\r\n"),
              std::string::npos);
}

TEST_F(SettingsTest, ALongLessonPathIsNeverCut) {
    const std::string path = folder.path() + "/单词课文/" + std::string(300, 'x') + "/a.txt";
    session.openLesson(path);
    ASSERT_TRUE(session.saveSettings());
    StudySession next(folder.path(), voice, recorder, random, prompts);
    load(next);
    EXPECT_EQ(next.currentLesson(), path);
}

// A lesson path can hold a line break on Linux, but no line of dan.dat can.
TEST_F(SettingsTest, ALessonPathWithALineBreakIsNotStoredAndTheLearnerIsTold) {
    std::filesystem::create_directories(lessonDir() + "/two\nlines");
    session.openLesson(writeLesson("two\nlines/第一课.txt", {"one  一"}));
    EXPECT_NE(session.message().find("换行符"), std::string::npos);
    EXPECT_EQ(session.expectedAnswer(), "one");  // the lesson itself works
    session.setPlace({.width = 7000});
    ASSERT_TRUE(session.saveSettings());
    const std::string saved = folder.read("单词课文/dan.dat");
    EXPECT_NE(saved.find("\r\nfilename=\r\n"), std::string::npos);
    EXPECT_NE(saved.find("width=7000\r\n"), std::string::npos);

    // With saved progress, continuing the lesson tells the same.
    ASSERT_TRUE(session.saveProgress());
    prompts.continueProgress = true;
    session.openLesson(lessonDir() + "/two\nlines/第一课.txt");
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(session.message(), "这篇课文的路径里有换行符，下次启动时不能自动打开它。");

    StudySession next(folder.path(), voice, recorder, random, prompts);
    load(next);
    EXPECT_EQ(next.currentLesson(), "");
    EXPECT_EQ(next.place().width, 7000);
}

// Folders copied from old systems may be named in GBK bytes, which are not
// UTF-8; the path must come back exactly, and so must one in UTF-8.
TEST_F(SettingsTest, LessonPathsComeBackByteForByteWhateverTheirBytes) {
    const std::string gbkFolder = "\xB5\xDA\xD2\xBB\xB2\xBF";  // "第一部" in GBK
    const std::string oddFolder = "odd\xFF\x80";               // neither GBK nor UTF-8
    for (const std::string& folderName : {gbkFolder, oddFolder, std::string("第一部")}) {
        SCOPED_TRACE(folderName);
        std::filesystem::create_directories(lessonDir() + "/" + folderName);
        session.openLesson(writeLesson(folderName + "/课.txt", {"one  一", "two  二"}));
        answer("one");
        ASSERT_TRUE(session.saveProgress());
        ASSERT_TRUE(session.saveSettings());
        // The file holds the path in GBK when it is UTF-8, else its own bytes.
        const std::string inFile =
            folderName == "第一部" ? gbk::encode(session.currentLesson()) : session.currentLesson();
        EXPECT_NE(folder.read("单词课文/dan.dat").find("\r\nfilename=" + inFile + "\r\n"),
                  std::string::npos);

        StudySession next(folder.path(), voice, recorder, random, prompts);
        load(next);
        EXPECT_EQ(next.currentLesson(), session.currentLesson());
        EXPECT_EQ(boxEntries(next.boxes(), 5), std::vector<std::string>{"one  一"});
    }
}

// "貓" is D8 88 in GBK, which is also well-formed UTF-8 (U+0608).
TEST_F(SettingsTest, AStoredPathIsReadAsGbkEvenWhenItLooksLikeUtf8) {
    std::filesystem::create_directories(lessonDir());
    session.openLesson(writeLesson("貓.txt", {"cat  貓"}));
    ASSERT_TRUE(session.saveProgress());
    folder.write("单词课文/dan.dat",
                 "[" + kSection + "]\r\nfilename=" + gbk::encode(lessonDir() + "/貓.txt") + "\r\n");
    StudySession next(folder.path(), voice, recorder, random, prompts);
    load(next);
    EXPECT_EQ(next.currentLesson(), lessonDir() + "/貓.txt");
    EXPECT_EQ(next.expectedAnswer(), "cat");
}

TEST_F(SettingsTest, ALinkedSettingsFileIsReplacedAndWhatItPointsToIsKept) {
    folder.write("elsewhere.dat", "[other]\r\nkept=1\r\n");
    std::filesystem::create_symlink(folder.file("elsewhere.dat"), folder.file("单词课文/dan.dat"));
    load(session);
    ASSERT_TRUE(session.saveSettings());
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("单词课文/dan.dat")));
    EXPECT_EQ(folder.read("elsewhere.dat"), "[other]\r\nkept=1\r\n");
    EXPECT_EQ(folder.read("单词课文/dan.dat").substr(0, 14), "[other]\r\nkept=");
}

TEST_F(SettingsTest, AQuotedValueIsReadWithoutItsQuotes) {
    writeSettings("width=\"7000\"\r\ncheck0='1'\r\n");
    load(session);
    EXPECT_EQ(session.place().width, 7000);
    EXPECT_EQ(session.options().state(StudyOption::ShowEnglish), OptionState::On);
}

// Failed writes stay silent at closing time, but the last settings stay.
TEST_F(SettingsTest, AFullDiskKeepsTheLastSettingsWhole) {
    const std::string lessons = folder.file("单词课文");
    if (::geteuid() != 0 || ::mount("tmpfs", lessons.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { ::umount(folder.c_str()); }
    } unmount{lessons};
    writeSettings("width=7000\r\n");
    const std::string before = folder.read("单词课文/dan.dat");
    std::ofstream filler(lessons + "/filler", std::ios::binary);
    while (filler << std::string(4096, 'x')) {
    }
    filler.close();
    session.openLesson("/" + std::string(5000, 'x') + ".txt");  // more than is left
    EXPECT_FALSE(session.saveSettings());
    EXPECT_EQ(folder.read("单词课文/dan.dat"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lessons),
                            std::filesystem::directory_iterator()),
              2);  // dan.dat and the filler: no temporary file
}
