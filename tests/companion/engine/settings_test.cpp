// girl.dat and listgirl.dat: read at start-up, written at a confirmed exit.
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "companion/engine/truth_value.h"
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

// Section and key names as the file holds them, in GBK.
const std::string kConfig = "[\xC5\xE4\xD6\xC3]\r\n";  // [配置]
const std::string kVolume = "\xD2\xF4\xC1\xBF";        // 音量
const std::string kRate = "\xD3\xEF\xCB\xD9";          // 语速
const std::string kVoice = "\xD3\xEF\xD2\xF4";         // 语音

using Entries = std::vector<LessonListEntry>;

class SettingsTest : public CompanionTest {
protected:
    bool onTopAfterLoading(const std::string& line) {
        engine.setOption(MenuOption::AlwaysOnTop, true);
        lessonBytes("girl.dat", kConfig + line + "\r\n");
        engine.loadSettings();
        return engine.options().isOn(MenuOption::AlwaysOnTop);
    }
};

TEST_F(SettingsTest, FirstRunTakesTheDefaultsAndWritesThemBack) {
    engine.loadSettings();
    EXPECT_EQ(engine.colours(), (WindowColours{kWhite, kTeal}));
    EXPECT_TRUE(engine.options().isOn(MenuOption::AlwaysOnTop));
    EXPECT_TRUE(engine.options().isOn(MenuOption::StartAtLogon));
    // Volume 50 and rate 0 are what the controls hold: the voice keeps its own.
    EXPECT_TRUE(voice.volumeCalls.empty());
    EXPECT_TRUE(voice.rateCalls.empty());
    EXPECT_EQ(voice.selections, std::vector<int>{0});
    EXPECT_TRUE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("girl.dat"),
              "[label]\r\nForeColor=16777215\r\nBackColor=8421376\r\n" + kConfig +
                  "curkewen=0\r\ncurword=0\r\nmunOnTop=True\r\ntop=20\r\nleft=400\r\n"
                  "zidongqidong=True\r\nsuijixianshi=False\r\n" +
                  kVolume + "=50\r\n" + kRate + "=0\r\n" + kVoice + "=0\r\n");
    EXPECT_EQ(readBack("listgirl.dat"), "\r\n");
}

TEST_F(SettingsTest, HandWrittenFileInAnyLetterCaseWithBadValuesSkipped) {
    restoreCursor(0, 5);
    engine.windowMoved({.left = 123, .top = 20});
    lessonBytes("girl.dat", "[LABEL]\r\nforecolor = 255\r\nBACKCOLOR=abc\r\n" + kConfig +
                                "CurKeWen=2\r\nCURWORD=40000\r\nTOP=1234.5\r\nleft=40000\r\n"
                                "ZIDONGQIDONG=0\r\nSuijiXianshi=TRUE\r\n" +
                                kVolume + "=80\r\n" + kRate + "=-3\r\n" + kVoice + "=7\r\n");
    engine.loadSettings();
    EXPECT_EQ(engine.colours().text, 255);
    EXPECT_EQ(engine.colours().background, kTeal);
    EXPECT_EQ(currentLesson(), 2);
    EXPECT_EQ(currentItem(), 5);
    EXPECT_EQ(engine.place().top, 1234);  // ties go to the even neighbour
    EXPECT_EQ(engine.place().left, 123);
    EXPECT_FALSE(engine.options().isOn(MenuOption::StartAtLogon));
    EXPECT_TRUE(engine.options().isOn(MenuOption::RandomOrder));
    EXPECT_EQ(voice.volume(), 80);
    EXPECT_EQ(voice.rate(), -3);
    EXPECT_EQ(engine.voiceSettings().voiceIndex(), -1);  // no such voice
    EXPECT_TRUE(voice.selections.empty());
}

TEST_F(SettingsTest, OnTopUnlessTheFileSaysFalseOrZero) {
    EXPECT_TRUE(onTopAfterLoading("munOnTop=ture"));
    EXPECT_TRUE(onTopAfterLoading("munOnTop=abc"));
    EXPECT_TRUE(onTopAfterLoading("other=1"));
    EXPECT_FALSE(onTopAfterLoading("munOnTop=False"));
    EXPECT_FALSE(onTopAfterLoading("munontop=0"));
    // A missing key yields "ture", no truth value: the check stays as it was.
    std::filesystem::remove(inLessons("girl.dat"));
    engine.setOption(MenuOption::AlwaysOnTop, false);
    engine.loadSettings();
    EXPECT_FALSE(engine.options().isOn(MenuOption::AlwaysOnTop));
    EXPECT_EQ(parseTruthValue("fALSE"), false);
    EXPECT_EQ(parseTruthValue("-0.5"), true);
    EXPECT_EQ(parseTruthValue("0e5"), false);
    for (const char* neither : {"", "1x", ".", "e5", "1e"}) {
        EXPECT_EQ(parseTruthValue(neither), std::nullopt) << neither;
    }
}

TEST_F(SettingsTest, ListFileLinesGiveTickAndPathAsTheyStand) {
    add("/old.txt", true);
    lessonBytes(
        "listgirl.dat",
        "t /a.txt\r\nT/b.txt\r\n   \r\n\r\nF\xD1\xA7\xCF\xB0/c.txt\r\xCA\xC7/d.txt\nT/e.txt\n");
    engine.loadSettings();
    EXPECT_EQ(engine.lessons().entries(), (Entries{{" /a.txt", false},
                                                   {"/b.txt", true},
                                                   {"学习/c.txt", false},
                                                   {"/d.txt", false},  // 是 goes as a whole
                                                   {"/e.txt", true}}));
    std::filesystem::remove(inLessons("listgirl.dat"));
    engine.loadSettings();
    EXPECT_TRUE(engine.lessons().empty());
}

TEST_F(SettingsTest, AListLongerThan32767KeepsTheFirst32767) {
    std::string bytes;
    for (int i = 0; i <= LessonList::kMaxEntries; ++i) {
        bytes += "T/" + std::to_string(i) + "\r\n";
    }
    lessonBytes("listgirl.dat", bytes);
    engine.loadSettings();
    ASSERT_EQ(engine.lessons().count(), LessonList::kMaxEntries);
    EXPECT_EQ(engine.lessons().at(LessonList::kMaxEntries - 1).path, "/32766");
}

TEST_F(SettingsTest, TheRunsStateIsWrittenByteForByteAndComesBack) {
    restoreCursor(-1, 12);
    std::filesystem::remove(inLessons("girl.dat"));  // written afresh below
    engine.setTextColour(-2147483640);
    engine.setBackgroundColour(65280);
    engine.windowMoved({.left = -15, .top = 1234.5});
    engine.setOption(MenuOption::RandomOrder, true);
    engine.setOption(MenuOption::AlwaysOnTop, false);
    engine.setOption(MenuOption::StartAtLogon, false);
    engine.setVolume(0);
    engine.setRate(10);
    engine.selectVoice(2);
    add("/home/学习/第一课.txt", false);
    add("/tmp/😀.txt", true);
    EXPECT_TRUE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("girl.dat"), "[label]\r\nForeColor=-2147483640\r\nBackColor=65280\r\n" +
                                        kConfig +
                                        "curkewen=-1\r\ncurword=12\r\nmunOnTop=False\r\n"
                                        "top=1234.5\r\nleft=-15\r\nzidongqidong=False\r\n"
                                        "suijixianshi=True\r\n" +
                                        kVolume + "=0\r\n" + kRate + "=10\r\n" + kVoice + "=2\r\n");
    EXPECT_EQ(readBack("listgirl.dat"),
              "F/home/\xD1\xA7\xCF\xB0/\xB5\xDA\xD2\xBB\xBF\xCE.txt\r\n"
              "T/tmp/\x94"
              "9\xFC"
              "6.txt\r\n\r\n");

    FakeVoice nextVoice;
    CompanionEngine next(programDir.path(), nextVoice, random, ui);
    next.loadSettings();
    EXPECT_EQ(next.colours(), (WindowColours{-2147483640, 65280}));
    EXPECT_EQ(next.place(), (WindowPlace{.left = -15, .top = 1234}));
    EXPECT_EQ(next.currentLesson(), -1);
    EXPECT_EQ(next.currentItem(), 12);
    EXPECT_EQ(nextVoice.volume(), 0);
    EXPECT_EQ(nextVoice.selectedVoice(), 2);
    EXPECT_EQ(next.lessons().entries(), engine.lessons().entries());
}

// The two files are one set: either can stop the other, and a missing
// lesson folder gets nothing.
TEST_F(SettingsTest, TheTwoFilesAreWrittenTogetherOrNotAtAll) {
    add("/a.txt", true);
    std::filesystem::create_directory(inLessons("girl.dat"));
    const Status unreadable = engine.saveSettings();
    EXPECT_FALSE(unreadable.ok());
    EXPECT_NE(unreadable.message().find("girl.dat"), std::string::npos);
    EXPECT_EQ(readBack("listgirl.dat"), "<missing>");
    std::filesystem::remove(inLessons("girl.dat"));

    lessonBytes("girl.dat", "[label]\r\nForeColor=255\r\n");
    std::filesystem::create_directory(inLessons("listgirl.dat"));
    const Status blocked = engine.saveSettings();
    EXPECT_FALSE(blocked.ok());
    EXPECT_NE(blocked.message().find("listgirl.dat"), std::string::npos);
    EXPECT_EQ(readBack("girl.dat"), "[label]\r\nForeColor=255\r\n");
    std::filesystem::remove(inLessons("listgirl.dat"));
    EXPECT_TRUE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("listgirl.dat"), "T/a.txt\r\n\r\n");

    std::filesystem::remove_all(lessonFolder(programDir.path()));
    EXPECT_FALSE(engine.saveSettings().ok());
    EXPECT_FALSE(std::filesystem::exists(lessonFolder(programDir.path())));
}

// An exit killed between renaming the two files: the next start finishes it.
TEST_F(SettingsTest, AnExitKilledBetweenTheTwoFilesIsFinishedAtTheNextStart) {
    lessonBytes("girl.dat", "[label]\r\nForeColor=1\r\n");
    lessonBytes("listgirl.dat", "T/old.txt\r\n\r\n");
    lessonBytes(commitRecordName("girl.dat"),
                "lorvane file set 1\n8 girl.dat\n12 listgirl.dat\nend 2\n");
    lessonBytes("girl.dat", "[label]\r\nForeColor=2\r\n");  // already renamed
    lessonBytes(stagingName("listgirl.dat"), "T/new.txt\r\n\r\n");
    engine.loadSettings();
    EXPECT_EQ(engine.colours().text, 2);
    EXPECT_EQ(engine.lessons().entries(), (Entries{{"/new.txt", true}}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inLessons("")),
                            std::filesystem::directory_iterator()),
              2);
}

// Both are this system's own files, read as GBK whatever they look like:
// "聽" is C2 A0 in GBK, which is well-formed UTF-8 (a no-break space).
TEST_F(SettingsTest, ListFilePathsAreReadAsGbkEvenWhenTheyLookLikeUtf8) {
    lessonBytes("listgirl.dat",
                gbk::encode("T/home/learner/聽.txt\r\nF/home/learner/聽聞.txt\r\n"));
    lessonBytes("girl.dat", "[label]\r\nForeColor=\"255\"\r\n");
    engine.loadSettings();
    EXPECT_EQ(engine.lessons().entries(),
              (Entries{{"/home/learner/聽.txt", true}, {"/home/learner/聽聞.txt", false}}));
    EXPECT_EQ(engine.colours().text, 255);  // quotes are no part of a value
    EXPECT_TRUE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("listgirl.dat"),
              gbk::encode("T/home/learner/聽.txt\r\nF/home/learner/聽聞.txt\r\n\r\n"));
}

// Lessons in folders named in GBK bytes (copied from an old system) or in
// bytes of no encoding keep their paths exactly.
TEST_F(SettingsTest, ListFilePathsComeBackByteForByteWhateverTheirBytes) {
    const std::vector<std::string> paths = {
        lesson("\xB5\xDA\xD2\xBB.txt", {"one  一"}),  // "第一" in GBK bytes
        lesson("odd\xFF\x80.txt", {"two  二"}),
        lesson("第三.txt", {"three  三"}),
    };
    for (const std::string& path : paths) {
        add(path, true);
    }
    EXPECT_TRUE(engine.saveSettings().ok());
    const std::string list = readBack("listgirl.dat");
    EXPECT_NE(list.find("T" + paths[0] + "\r\n"), std::string::npos);
    EXPECT_NE(list.find("T" + paths[1] + "\r\n"), std::string::npos);
    EXPECT_NE(list.find("T" + gbk::encode(paths[2]) + "\r\n"), std::string::npos);

    FakeVoice nextVoice;
    CompanionEngine next(programDir.path(), nextVoice, random, ui);
    next.loadSettings();
    EXPECT_EQ(next.lessons().entries(), engine.lessons().entries());
}

TEST_F(SettingsTest, LinkedFilesAreReplacedAndWhatTheyPointToIsKept) {
    programDir.write("mine.dat", "[label]\r\nForeColor=255\r\n");
    programDir.write("mylist.dat", "T/kept.txt\r\n\r\n");
    std::filesystem::create_symlink(programDir.file("mine.dat"), inLessons("girl.dat"));
    std::filesystem::create_symlink(programDir.file("mylist.dat"), inLessons("listgirl.dat"));
    engine.loadSettings();
    EXPECT_EQ(engine.colours().text, 255);
    add("/new.txt", false);
    EXPECT_TRUE(engine.saveSettings().ok());
    EXPECT_FALSE(std::filesystem::is_symlink(inLessons("girl.dat")));
    EXPECT_FALSE(std::filesystem::is_symlink(inLessons("listgirl.dat")));
    EXPECT_EQ(readBack("listgirl.dat"), "T/kept.txt\r\nF/new.txt\r\n\r\n");
    EXPECT_EQ(programDir.read("mine.dat"), "[label]\r\nForeColor=255\r\n");
    EXPECT_EQ(programDir.read("mylist.dat"), "T/kept.txt\r\n\r\n");
}

// A save that fails half-way, here on a full disk, keeps the previous list.
TEST_F(SettingsTest, AFullDiskKeepsThePreviousLessonList) {
    const std::string folder = lessonFolder(programDir.path());
    if (::geteuid() != 0 || ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { ::umount(folder.c_str()); }
    } unmount{folder};
    lessonBytes("listgirl.dat", "T/old.txt\r\n\r\n");
    lessonBytes("girl.dat", "[label]\r\nForeColor=1\r\n");
    std::ofstream filler(folder + "filler", std::ios::binary);
    while (filler << std::string(4096, 'x')) {
    }
    filler.close();
    for (int i = 0; i < 2000; ++i) {
        add("/a/long/path/to/a/lesson/number/" + std::to_string(i) + ".txt", true);
    }
    EXPECT_FALSE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("listgirl.dat"), "T/old.txt\r\n\r\n");
    EXPECT_EQ(readBack("girl.dat"), "[label]\r\nForeColor=1\r\n");
    std::filesystem::remove(folder + "filler");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              2);  // no temporary file left
}

TEST_F(SettingsTest, AReadOnlyLessonFolderKeepsBothFiles) {
    const std::string folder = lessonFolder(programDir.path());
    if (::geteuid() != 0 || ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { ::umount(folder.c_str()); }
    } unmount{folder};
    lessonBytes("girl.dat", "[label]\r\nForeColor=1\r\n");
    lessonBytes("listgirl.dat", "T/old.txt\r\n\r\n");
    ASSERT_EQ(::mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    add("/new.txt", true);
    EXPECT_FALSE(engine.saveSettings().ok());
    EXPECT_EQ(readBack("girl.dat"), "[label]\r\nForeColor=1\r\n");
    EXPECT_EQ(readBack("listgirl.dat"), "T/old.txt\r\n\r\n");
}

TEST(VoiceSettings, OnlyARealChangeWithinRangeReachesTheVoice) {
    FakeVoice voice({"a", "b"});
    VoiceSettings settings(voice);
    EXPECT_FALSE(settings.setRate(11));
    EXPECT_FALSE(settings.setVolume(101));
    EXPECT_FALSE(settings.selectVoice(2));
    EXPECT_TRUE(settings.setVolume(50));
    EXPECT_TRUE(settings.setRate(0));
    EXPECT_TRUE(settings.setVolume(80));
    EXPECT_TRUE(settings.setVolume(80));
    EXPECT_TRUE(settings.selectVoice(1));
    EXPECT_TRUE(settings.selectVoice(1));
    EXPECT_TRUE(settings.selectVoice(-1));  // clearing the selection keeps the voice
    EXPECT_EQ(voice.volumeCalls, std::vector<int>{80});
    EXPECT_TRUE(voice.rateCalls.empty());
    EXPECT_EQ(voice.selections, std::vector<int>{1});
    EXPECT_EQ(voice.selectedVoice(), 1);
}

}  // namespace
