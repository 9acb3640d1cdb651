// Recording, reading aloud, the word bank and the example sentences.
#include "tests/trainer/engine/study_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

TEST_F(StudyTest, RecordingStartsAndStopsWithTheRecordButton) {
    openFruit();
    recorder.calls.clear();
    session.toggleRecording();
    EXPECT_TRUE(session.recording());
    EXPECT_TRUE(session.recording());
    EXPECT_EQ(StudySession::kRecordingLimitMs, 20000);
    EXPECT_EQ(session.focus(), StudySession::Focus::RecordButton);
    EXPECT_EQ(session.message(), "请大声朗读单词！");
    EXPECT_EQ(recorder.calls, Lines{"start"});

    recorder.calls.clear();
    recorder.currentPosition = 1500;
    session.toggleRecording();
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(session.message(), "录音结束！");
    EXPECT_EQ(session.playbackEnd(), 1500);
    EXPECT_EQ(recorder.calls, Lines{"stop"});

    recorder.calls.clear();
    session.playRecording();
    EXPECT_EQ(recorder.calls, Lines{"play 0 1500"});
}

TEST_F(StudyTest, PlaybackBeforeAnyRecordingPlaysNothing) {
    openFruit();
    recorder.calls.clear();
    session.playRecording();
    EXPECT_EQ(recorder.calls, Lines{"play 0 0"});
}

TEST_F(StudyTest, RecordingStopsAtTheTimeLimitOrWhenAnotherWordIsShown) {
    openFruit();
    session.toggleRecording();
    session.recordingLimitReached();
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(session.message(), "录音结束！");

    session.toggleRecording();
    recorder.currentPosition = 40000;  // beyond 16 bits: the old end stays
    session.nextWord();
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(session.message(), "录音结束！");
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(session.playbackEnd(), 0);
    EXPECT_EQ(session.expectedAnswer(), "pear");
}

TEST_F(StudyTest, ReadingAloudSpeaksTheWordEvenWhenItIsHidden) {
    openFruit();
    session.readAloud();
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple"}));
}

TEST_F(StudyTest, ShowChineseOptionHidesAndShowsTheMeaningAtOnce) {
    openFruit();
    session.setOption(StudyOption::ShowMeaning, OptionState::Off);
    EXPECT_FALSE(session.meaningShown());
    session.setOption(StudyOption::ShowMeaning, OptionState::Greyed);  // greyed counts as on
    EXPECT_TRUE(session.meaningShown());
}

// A greyed box from the settings file is checked by the first click and
// from then on switches on and off like any other.
TEST_F(StudyTest, ClicksOnAGreyedOptionSwitchItOnAndOff) {
    openFruit();
    session.setOption(StudyOption::ShowEnglish, OptionState::Greyed);
    EXPECT_EQ(session.englishLine(), "apple");  // greyed counts as on
    const std::vector<OptionState> expected = {OptionState::On, OptionState::Off, OptionState::On,
                                               OptionState::Off};
    const std::vector<std::string> lines = {"apple", "", "apple", ""};
    for (std::size_t click = 0; click < expected.size(); ++click) {
        session.toggleOption(StudyOption::ShowEnglish);
        EXPECT_EQ(session.options().state(StudyOption::ShowEnglish), expected[click]) << click;
        EXPECT_EQ(session.englishLine(), lines[click]) << click;
    }
}

TEST_F(StudyTest, WordBankOpensThePanelOnlyForAMouseClick) {
    openFruit();
    chooseBox(2);
    EXPECT_EQ(session.frontList(), 2);
    EXPECT_EQ(session.place().height,
              WindowPlace::kCollapsedHeight);  // choosing a box does not expand
    session.openPanel();
    session.showWordBank();
    EXPECT_EQ(session.place().height, WindowPlace::kExpandedHeight);
    session.collapsePanel();
    EXPECT_EQ(session.place().height, WindowPlace::kCollapsedHeight);
    EXPECT_EQ(session.frontList(), 2);  // closing keeps the view
}

class ExamplesTest : public StudyTest {
protected:
    void writeExamples(const std::string& utf8) {
        folder.write("单词课文/word.dat", gbk::encode(utf8));
    }
};

TEST_F(ExamplesTest, ExamplesAreTheLinesContainingTheWord) {
    writeExamples("The cat sleeps.\r\n  Cats like fish.  \r\nCat food.\r\n\r\nConcatenate it.\r\n");
    session.openLesson(writeLesson("第二课.txt", {"cat  猫", "dog  狗"}));
    session.showExamples();
    EXPECT_EQ(session.frontList(), StudySession::kExamplesInFront);
    EXPECT_EQ(session.place().height, WindowPlace::kExpandedHeight);
    EXPECT_EQ(session.panelHint(), "双击例句，可以朗读例句。");
    EXPECT_EQ(session.examples(), (Lines{"The cat sleeps.", "Concatenate it."}));

    // A second press does not search again; another word empties the list.
    std::filesystem::remove(session.exampleFile());
    session.showExamples();
    EXPECT_EQ(session.examples().size(), 2u);
    session.readExample(1);
    EXPECT_EQ(voice.spoken, Lines{"Concatenate it."});
    session.nextWord();
    EXPECT_EQ(session.examples().size(), 0u);
}

TEST_F(ExamplesTest, MissingExampleFileIsReported) {
    openFruit();
    session.showExamples();
    EXPECT_EQ(session.examples().size(), 0u);
    EXPECT_NE(session.message().find("word.dat"), std::string::npos);
}

TEST_F(ExamplesTest, WithoutAWordTheListStaysEmpty) {
    writeExamples("The cat sleeps.\r\n");
    session.showExamples();
    EXPECT_EQ(session.examples().size(), 0u);
    EXPECT_EQ(session.place().height, WindowPlace::kExpandedHeight);
}
