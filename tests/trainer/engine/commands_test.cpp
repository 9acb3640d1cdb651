// Recording, reading aloud, the word bank and the example sentences.
#include "tests/trainer/engine/study_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

TEST_F(StudyTest, RecordingStartsAndStopsWithTheRecordButton) {
    openFruit();
    recorder.calls.clear();
    form.command1Click();
    EXPECT_EQ(form.Command1.caption, "停止");
    EXPECT_TRUE(form.Timer2.enabled);
    EXPECT_EQ(form.Timer2.interval, 20000);
    EXPECT_EQ(form.focus, "Command1");
    EXPECT_EQ(form.Label6.caption, "请大声朗读单词！");
    EXPECT_EQ(recorder.calls, (Lines{"close", "FileName=new", "open", "record"}));

    recorder.calls.clear();
    recorder.currentPosition = 1500;
    form.command1Click();
    EXPECT_EQ(form.Command1.caption, "录音");
    EXPECT_FALSE(form.Timer2.enabled);
    EXPECT_EQ(form.Label6.caption, "录音结束！");
    EXPECT_EQ(form.playbackEnd(), 1500);
    EXPECT_EQ(recorder.calls, Lines{"stop"});

    recorder.calls.clear();
    form.command2Click();
    EXPECT_EQ(recorder.calls, (Lines{"From=0", "To=1500", "play"}));
}

TEST_F(StudyTest, PlaybackBeforeAnyRecordingPlaysNothing) {
    openFruit();
    recorder.calls.clear();
    form.command2Click();
    EXPECT_EQ(recorder.calls, (Lines{"From=0", "To=0", "play"}));
}

TEST_F(StudyTest, RecordingStopsAtTheTimeLimitOrWhenAnotherWordIsShown) {
    openFruit();
    form.command1Click();
    form.timer2Tick();
    EXPECT_EQ(form.Command1.caption, "录音");
    EXPECT_EQ(form.Label6.caption, "录音结束！");

    form.command1Click();
    recorder.currentPosition = 40000;  // beyond 16 bits: the old end stays
    form.command5Click();
    EXPECT_EQ(form.Command1.caption, "录音");
    EXPECT_EQ(form.Label6.caption, "录音结束！");
    EXPECT_FALSE(form.Timer2.enabled);
    EXPECT_EQ(form.playbackEnd(), 0);
    EXPECT_EQ(form.Label1[0].tag, "pear");
}

TEST_F(StudyTest, ReadingAloudSpeaksTheWordEvenWhenItIsHidden) {
    openFruit();
    form.command6Click();
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple"}));
}

TEST_F(StudyTest, ShowChineseOptionHidesAndShowsTheMeaningAtOnce) {
    openFruit();
    form.Check1[1].value = 0;
    form.check1Click(1);
    EXPECT_FALSE(form.Label1[1].visible);
    form.Check1[1].value = 2;  // greyed counts as on
    form.check1Click(1);
    EXPECT_TRUE(form.Label1[1].visible);
}

TEST_F(StudyTest, WordBankOpensThePanelOnlyForAMouseClick) {
    openFruit();
    chooseBox(2);
    EXPECT_EQ(form.frontList, 2);
    EXPECT_EQ(form.height, Form2::kCollapsedHeight);  // choosing a box does not expand
    form.command12MouseUp();
    form.command12Click();
    EXPECT_EQ(form.height, Form2::kExpandedHeight);
    form.command11Click();
    EXPECT_EQ(form.height, Form2::kCollapsedHeight);
    EXPECT_EQ(form.frontList, 2);  // closing keeps the view
}

class ExamplesTest : public StudyTest {
protected:
    void writeExamples(const std::string& utf8) {
        folder.write("单词课文/word.dat", gbk::encode(utf8));
    }
};

TEST_F(ExamplesTest, ExamplesAreTheLinesContainingTheWord) {
    writeExamples("The cat sleeps.\r\n  Cats like fish.  \r\nCat food.\r\n\r\nConcatenate it.\r\n");
    form.initlist(writeLesson("第二课.txt", {"cat  猫", "dog  狗"}));
    form.command7Click();
    EXPECT_EQ(form.frontList, Form2::kExamplesInFront);
    EXPECT_EQ(form.height, Form2::kExpandedHeight);
    EXPECT_EQ(form.Label3.caption, "双击例句，可以朗读例句。");
    EXPECT_EQ(form.List3.items(), (Lines{"The cat sleeps.", "Concatenate it."}));

    // A second press does not search again; another word empties the list.
    std::filesystem::remove(form.exampleFile());
    form.command7Click();
    EXPECT_EQ(form.List3.count(), 2);
    form.List3.selected = 1;
    form.list3DblClick();
    EXPECT_EQ(voice.spoken, Lines{"Concatenate it."});
    form.command5Click();
    EXPECT_EQ(form.List3.count(), 0);
}

TEST_F(ExamplesTest, MissingExampleFileIsReported) {
    openFruit();
    form.command7Click();
    EXPECT_EQ(form.List3.count(), 0);
    EXPECT_NE(form.Label6.caption.find("word.dat"), std::string::npos);
}

TEST_F(ExamplesTest, WithoutAWordTheListStaysEmpty) {
    writeExamples("The cat sleeps.\r\n");
    form.command7Click();
    EXPECT_EQ(form.List3.count(), 0);
    EXPECT_EQ(form.height, Form2::kExpandedHeight);
}
