// A learner's way through the spelling drill.
#include "tests/trainer/engine/study_fixture.h"
#include "trainer/engine/answer_check.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

TEST_F(StudyTest, OpeningALessonShowsItsFirstWord) {
    openFruit();
    EXPECT_EQ(box(0), (Lines{"apple  苹果", "pear  梨", "plum  李子", "peach  桃"}));
    EXPECT_EQ(session.boxes().chosenBox(), 0);
    EXPECT_EQ(session.boxes().selectedEntry(0), 0);
    EXPECT_EQ(session.expectedAnswer(), "apple");
    EXPECT_EQ(session.englishLine(), "");  // "显示英文" is off by design
    EXPECT_EQ(session.meaningLine(), "苹果");
    EXPECT_TRUE(session.meaningShown());
    EXPECT_EQ(session.countLine(), "卡中有4个单词");
    EXPECT_EQ(session.currentEntry(), 0);
    EXPECT_FALSE(session.pageTurnPending());
    EXPECT_EQ(recorder.calls, Lines{"reset"});
    EXPECT_TRUE(voice.spoken.empty());  // "播放读音" is off
    EXPECT_EQ(prompts.questions, 0);
}

TEST_F(StudyTest, ShowingAWordSpeaksItWhenPronunciationIsOn) {
    session.setOption(StudyOption::SpeakWords, OptionState::On);
    session.setOption(StudyOption::ShowEnglish, OptionState::On);
    openFruit();
    EXPECT_EQ(session.englishLine(), "apple");
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple"}));
}

TEST_F(StudyTest, RightAnswersGoToTheMemorizedBox) {
    openFruit();
    answer("  apple ");  // surrounding spaces do not count
    EXPECT_EQ(session.message(), "不错，你很聪明！");
    EXPECT_EQ(box(5), Lines{"apple  苹果"});
    EXPECT_EQ(session.expectedAnswer(), "pear");  // the next word moved up into place 0
    EXPECT_EQ(session.countLine(), "卡中有3个单词");
    EXPECT_TRUE(session.answerBoxEnabled());
    EXPECT_EQ(session.answerText(), "");

    answer("Pear");  // letter case counts
    EXPECT_EQ(session.message(), "你没有写对，请再试一次！");
    answer("pear");
    EXPECT_EQ(session.message(), "你终于记住了，还要努力呀！");
    EXPECT_EQ(box(5), (Lines{"apple  苹果", "pear  梨"}));
    EXPECT_EQ(session.attempts(), 0);
}

TEST_F(StudyTest, WrongAnswersGiveHintsWhileTheEnglishIsHidden) {
    openFruit();
    answer("aple");
    EXPECT_EQ(session.englishLine(), "ap***");
    EXPECT_EQ(session.message(), "你没有写对，请再试一次！");
    EXPECT_EQ(session.answerText(), "aple");  // left for correction
    answer("Apple");
    EXPECT_EQ(session.englishLine(), "*pple");
    EXPECT_EQ(session.message(), "你有没有搞错，请再试一次！");
    EXPECT_EQ(box(0).size(), 4u);

    session.setOption(StudyOption::ShowEnglish, OptionState::On);
    EXPECT_EQ(session.englishLine(), "apple");  // the same word, not a new one
    session.setOption(StudyOption::ShowEnglish, OptionState::Off);
    EXPECT_EQ(session.englishLine(), "");
}

// What the trainer may tell about the word (its pronunciation) depends on
// whether the learner can see it anyway.
TEST_F(StudyTest, TheEnglishIsOnShowOnlyWhenShownWhole) {
    EXPECT_FALSE(session.englishShown());  // no lesson yet
    openFruit();
    EXPECT_FALSE(session.englishShown());  // hidden
    answer("aple");
    EXPECT_FALSE(session.englishShown());  // a hint
    session.setOption(StudyOption::ShowEnglish, OptionState::On);
    EXPECT_TRUE(session.englishShown());
    session.nextWord();
    EXPECT_EQ(session.englishLine(), "pear");
    EXPECT_TRUE(session.englishShown());
    session.setOption(StudyOption::ShowEnglish, OptionState::Off);
    EXPECT_FALSE(session.englishShown());
    // A hint that spells the whole word shows it.
    answer("pearl");
    EXPECT_EQ(session.englishLine(), "pear");
    EXPECT_TRUE(session.englishShown());
}

TEST(SpellingHint, ComparesPositionByPositionWithTheUntrimmedAnswer) {
    const auto spellingHint = &AnswerCheck::spellingHint;
    EXPECT_EQ(spellingHint("apple", "aple"), "ap***");
    EXPECT_EQ(spellingHint("apple", "Apple"), "*pple");
    EXPECT_EQ(spellingHint("apple", "applesauce"), "apple");
    EXPECT_EQ(spellingHint("apple", " aple"), "**ple");
    EXPECT_EQ(spellingHint("apple", ""), "*****");
    EXPECT_EQ(spellingHint("café", "cafe"), "caf*");  // whole characters
}

TEST_F(StudyTest, ThirdFailureMovesTheWordOneBoxOnAndTurnsThePageLater) {
    openFruit();
    answer("x");
    answer("y");
    answer("z");
    EXPECT_EQ(session.message(), "你真是太笨了，该单词将被记录在一次遗忘卡中。");
    EXPECT_EQ(box(1), Lines{"apple  苹果"});
    EXPECT_EQ(box(0).size(), 3u);
    EXPECT_TRUE(session.meaningShown());
    EXPECT_EQ(session.englishLine(), "*****");  // the hint stays; the word is only spoken
    EXPECT_EQ(voice.spoken, Lines{"apple"});
    EXPECT_FALSE(session.answerBoxEnabled());
    // The answer box takes nothing now: Enter or Space on ">>" goes on.
    EXPECT_EQ(session.focus(), StudySession::Focus::NextButton);
    EXPECT_EQ(session.countLine(), "卡中有4个单词");  // until the next word is shown
    EXPECT_TRUE(session.pageTurnPending());           // "自动翻页" is on by design
    EXPECT_EQ(StudySession::kPageTurnMs, 4000);

    session.turnPage();
    EXPECT_FALSE(session.pageTurnPending());
    EXPECT_EQ(session.expectedAnswer(), "pear");
    EXPECT_TRUE(session.answerBoxEnabled());
    EXPECT_EQ(session.focus(), StudySession::Focus::AnswerBox);
    EXPECT_EQ(session.countLine(), "卡中有3个单词");
}

TEST_F(StudyTest, AfterAThirdFailureTheKeyboardMovesOnWithNextWord) {
    session.setOption(StudyOption::AutoPageTurn, OptionState::Off);
    openFruit();
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(session.focus(), StudySession::Focus::NextButton);
    session.nextWord();
    EXPECT_EQ(session.expectedAnswer(), "plum");  // the failed word left the box
    EXPECT_TRUE(session.answerBoxEnabled());
    EXPECT_EQ(session.focus(), StudySession::Focus::AnswerBox);
}

TEST_F(StudyTest, WithoutAutoPageTurnTheLearnerMovesOn) {
    session.setOption(StudyOption::AutoPageTurn, OptionState::Off);
    session.setOption(StudyOption::ShowMeaning, OptionState::Off);
    openFruit();
    EXPECT_FALSE(session.meaningShown());
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_TRUE(session.meaningShown());  // shown after the third failure anyway
    EXPECT_FALSE(session.pageTurnPending());
}

TEST_F(StudyTest, AWordFailedInTheLastForgottenBoxStaysThere) {
    session.openLesson(writeLesson("第二课.txt", {"one  一"}));
    // Walk it from box 0 through boxes 1 to 4.
    for (int target = 1; target <= 4; ++target) {
        for (const char* wrong : {"a", "b", "c"}) {
            answer(wrong);
        }
        chooseBox(target);
    }
    ASSERT_EQ(box(4), Lines{"one  一"});
    EXPECT_EQ(session.frontList(), 4);
    EXPECT_EQ(session.panelHint(), "可以在下面的单词库中选择当前学习的单词。");
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(session.message(), "这个单词你总是记不住，你最好24小时都想着它");
    EXPECT_EQ(box(4), Lines{"one  一"});
    session.turnPage();
    EXPECT_EQ(session.expectedAnswer(), "one");  // the same word again
    EXPECT_EQ(session.attempts(), 0);
}

TEST_F(StudyTest, AMemorizedWordForgottenGoesBackToTheNewWords) {
    session.openLesson(writeLesson("第二课.txt", {"one  一", "two  二"}));
    answer("one");
    chooseBox(5);
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(session.message(),
              "怎么原来记住的单词又全部忘了！你真是太笨了，该单词将被记录在生词卡中。");
    EXPECT_EQ(box(0), (Lines{"two  二", "one  一"}));
    EXPECT_TRUE(box(5).empty());
    EXPECT_TRUE(session.answerBoxEnabled());
    EXPECT_EQ(session.focus(), StudySession::Focus::AnswerBox);  // it still takes answers
    const std::string message = session.message();
    answer("onf");  // a fourth Enter: only the hint
    EXPECT_EQ(session.englishLine(), "on*");
    EXPECT_EQ(session.message(), message);
    EXPECT_EQ(box(0).size(), 2u);
}

TEST_F(StudyTest, RandomWordChangeNeverDrawsTheLastEntry) {
    session.setOption(StudyOption::RandomWord, OptionState::On);
    random.values = {0.99f, 0.5f, 0.99f};
    openFruit();  // Int(3 * 0.99) = 2
    EXPECT_EQ(session.expectedAnswer(), "plum");
    session.nextWord();  // ">>" draws too: Int(3 * 0.5) = 1
    EXPECT_EQ(session.expectedAnswer(), "pear");

    session.openLesson(writeLesson("第二课.txt", {"one  一", "two  二"}));
    EXPECT_EQ(session.expectedAnswer(), "one");  // Int(1 * 0.99) = 0
}

TEST_F(StudyTest, ChoosingABoxStartsItAgainAtItsFirstWord) {
    openFruit();
    session.nextWord();
    answer("wrong");
    ASSERT_EQ(session.attempts(), 1);
    chooseBox(0);
    EXPECT_EQ(session.expectedAnswer(), "apple");
    EXPECT_EQ(session.attempts(), 0);

    chooseBox(3);  // empty
    EXPECT_EQ(session.englishLine(), "");
    EXPECT_EQ(session.expectedAnswer(), "");
    EXPECT_EQ(session.meaningLine(), "");
    EXPECT_EQ(session.countLine(), "卡中有0个单词");
    answer("");
    EXPECT_TRUE(box(5).empty());  // nothing to judge, nothing appended
    EXPECT_EQ(session.message(), "请先选择一个单词。");
}

TEST_F(StudyTest, SteppingPastTheEndsKeepsTheWordAndResetsTheCount) {
    openFruit();
    session.previousWord();  // "<<" at the first word
    EXPECT_EQ(session.expectedAnswer(), "apple");
    for (int i = 0; i < 3; ++i) {
        session.nextWord();
    }
    EXPECT_EQ(session.expectedAnswer(), "peach");
    answer("a");
    answer("b");
    answer("c");
    ASSERT_TRUE(session.pageTurnPending());
    session.nextWord();                       // ">>" at the last word (index 3 → 4)
    EXPECT_FALSE(session.pageTurnPending());  // the pending page turn is cancelled
    EXPECT_EQ(session.attempts(), 0);
    EXPECT_EQ(session.expectedAnswer(), "peach");
}

TEST_F(StudyTest, AfterTheLastWordOfABoxLeavesEnterMovesNothing) {
    session.openLesson(writeLesson("第二课.txt", {"one  一"}));
    answer("one");
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_EQ(session.expectedAnswer(), "one");  // the display keeps the answered word
    answer("one");
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_TRUE(box(0).empty());
    EXPECT_EQ(session.message(), "不错，你很聪明！");
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_TRUE(box(1).empty());
    EXPECT_EQ(session.message(), "这个单词已经不在这个卡片里了，请选择下一个单词。");
}

TEST_F(StudyTest, ALineWithoutSeparatorIsShownWholeAndNeverJudged) {
    session.openLesson(writeLesson("第二课.txt", {"apple 苹果", "pear  梨"}));
    EXPECT_EQ(session.boxes().selectedEntry(0), 0);
    EXPECT_EQ(session.expectedAnswer(), "");
    EXPECT_EQ(session.meaningLine(), "apple 苹果");
    EXPECT_NE(session.message().find("两个空格"), std::string::npos);
    answer("");
    answer("apple");
    EXPECT_EQ(box(0).size(), 2u);
    EXPECT_TRUE(box(5).empty());
    EXPECT_EQ(session.attempts(), 0);
    session.nextWord();
    EXPECT_EQ(session.expectedAnswer(), "pear");
}

TEST_F(StudyTest, ClickingAWordInTheWordBankShowsIt) {
    openFruit();
    session.chooseEntry(0, 2);
    EXPECT_EQ(session.expectedAnswer(), "plum");
    EXPECT_EQ(session.currentEntry(), 2);
}

namespace {

// Only an answer typed with Latin letters alone keeps an input method out of
// the answer box; a reversed lesson asks for Chinese.
TEST_F(StudyTest, AnInputMethodIsKeptOutOnlyForPlainAsciiAnswers) {
    session.openLesson(
        writeLesson("双向.txt", {"apple pie  苹果派", "苹果  apple", "café  咖啡馆"}));
    EXPECT_TRUE(session.answerIsPlainAscii());
    session.nextWord();
    EXPECT_EQ(session.expectedAnswer(), "苹果");
    EXPECT_FALSE(session.answerIsPlainAscii());
    session.nextWord();
    EXPECT_FALSE(session.answerIsPlainAscii());  // é needs more than the Latin keys
}

}  // namespace
