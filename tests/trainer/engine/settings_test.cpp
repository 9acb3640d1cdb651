// The trainer's settings file dan.dat, read at start and written at closing.
#include "ini_file.h"
#include "study_fixture.h"

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
    SettingsTest() {
        form.onShowChooser = [this] { ++chooserShown; };
        form.setupVoice();
    }
    void writeSettings(const std::string& utf8Body) {
        folder.write("单词课文/dan.dat", gbk::encode("[单词]\r\n" + utf8Body));
    }
    int chooserShown = 0;
};

TEST_F(SettingsTest, FirstStartTakesTheDefaultsAndShowsTheChooser) {
    form.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(form.width, 6165);
    EXPECT_EQ(form.height, 4125);
    EXPECT_EQ(form.left, kScreenWidth / 2 - 3000);
    EXPECT_EQ(form.top, kScreenHeight / 2 - 2000);
    EXPECT_EQ(form.Check1[0].value, 0);
    EXPECT_EQ(form.Check1[1].value, 1);
    EXPECT_EQ(form.Check1[3].value, 0);  // on by design, off by the missing key's default
    EXPECT_EQ(form.combo1.selected, 0);
    EXPECT_EQ(voice.selections, std::vector<int>{0});
    EXPECT_EQ(form.HScroll1, 0);
    EXPECT_TRUE(voice.rateCalls.empty());  // the same value: the voice keeps its rate
    EXPECT_EQ(form.Tag, "");
    EXPECT_EQ(chooserShown, 1);
}

TEST_F(SettingsTest, StoredValuesAreAppliedAndRefusedOnesIgnored) {
    writeSettings(
        "WIDTH=7000\r\nheight=6060\r\ntop=abc\r\nleft=40000\r\ncheck0=1\r\ncheck2=3\r\n"
        "check4=2\r\n角色=-1\r\n语速=15\r\nfilename=  \r\n");
    form.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(form.width, 7000);
    EXPECT_EQ(form.height, 6060);
    EXPECT_EQ(form.top, 0);   // "abc": the window keeps its place
    EXPECT_EQ(form.left, 0);  // 40000: outside 16 bits
    EXPECT_EQ(form.Check1[0].value, 1);
    EXPECT_EQ(form.Check1[2].value, 0);  // 3 is refused
    EXPECT_EQ(form.Check1[4].value, 2);
    EXPECT_EQ(form.combo1.selected, -1);
    EXPECT_TRUE(voice.selections.empty());  // the system's default voice stays
    EXPECT_EQ(form.HScroll1, 0);
    EXPECT_TRUE(voice.rateCalls.empty());
    EXPECT_EQ(form.Tag, "");
    EXPECT_EQ(chooserShown, 0);  // an empty name opens no chooser from here
}

TEST_F(SettingsTest, AStoredRateAndVoiceReachTheVoice) {
    writeSettings("角色=2\r\n语速=-10\r\n");
    form.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(voice.selectedVoice(), 2);
    EXPECT_EQ(voice.rate(), -10);
    writeSettings("角色=3\r\n");  // only three voices
    form.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(form.combo1.selected, 2);
}

TEST_F(SettingsTest, TheLastLessonIsRestoredWithoutAQuestion) {
    openFruit();
    form.Text1.text = "apple";
    form.text1Enter();
    form.savelist();
    const std::string lesson = form.Tag;
    form.savesetting();

    Form2 next(folder.path(), voice, recorder, random, prompts);
    next.setupVoice();
    next.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(next.Tag, lesson);
    EXPECT_EQ(next.List2[5].items(), std::vector<std::string>{"apple  苹果"});
    EXPECT_EQ(next.Label1[0].tag, "pear");
    EXPECT_EQ(prompts.questions, 0);
}

TEST_F(SettingsTest, SavingWritesTheTwelveKeysInOrderAsGbk) {
    form.Tag = "/学习/单词课文/初一/第一课.txt";
    form.width = 6165;
    form.height = 6060;
    form.top = -30;
    form.left = 1500;
    form.Check1[4].value = 1;
    form.combo1.selected = 1;
    form.HScroll1 = -3;
    form.savesetting();
    EXPECT_EQ(folder.read("单词课文/dan.dat"),
              "[" + kSection + "]\r\nwidth=6165\r\nheight=6060\r\ntop=-30\r\nleft=1500\r\n" +
                  "filename=" + gbk::encode("/学习/单词课文/初一/第一课.txt") + "\r\n" +
                  "check0=0\r\ncheck1=1\r\ncheck2=0\r\ncheck3=1\r\ncheck4=1\r\n" + kVoiceKey +
                  "=1\r\n" + kRateKey + "=-3\r\n");

    form.top = 45;  // a second save replaces values in place
    form.savesetting();
    EXPECT_NE(folder.read("单词课文/dan.dat").find("\r\ntop=45\r\nleft=1500\r\n"),
              std::string::npos);
}

TEST_F(SettingsTest, ALongLessonPathIsNeverCut) {
    const std::string path = folder.path() + "/单词课文/" + std::string(300, 'x') + "/a.txt";
    form.Tag = path;
    form.savesetting();
    Form2 next(folder.path(), voice, recorder, random, prompts);
    next.loadsetting(kScreenWidth, kScreenHeight);
    EXPECT_EQ(next.Tag, path);
}
