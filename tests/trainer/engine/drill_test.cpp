// A learner's way through the spelling drill.
#include "tests/trainer/engine/study_fixture.h"
#include "trainer/engine/spelling_hint.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

TEST_F(StudyTest, OpeningALessonShowsItsFirstWord) {
    openFruit();
    EXPECT_EQ(box(0), (Lines{"apple  苹果", "pear  梨", "plum  李子", "peach  桃"}));
    EXPECT_EQ(form.List1.selected, 0);
    EXPECT_EQ(form.List2[0].selected, 0);
    EXPECT_EQ(form.Label1[0].tag, "apple");
    EXPECT_EQ(form.Label1[0].caption, "");  // "显示英文" is off by design
    EXPECT_EQ(form.Label1[1].caption, "苹果");
    EXPECT_TRUE(form.Label1[1].visible);
    EXPECT_EQ(form.Label5.caption, "卡中有4个单词");
    EXPECT_EQ(form.Timer1.tag, "0");
    EXPECT_FALSE(form.Timer1.enabled);
    EXPECT_EQ(recorder.calls, (Lines{"close", "FileName=new", "open"}));
    EXPECT_TRUE(voice.spoken.empty());  // "播放读音" is off
    EXPECT_EQ(prompts.questions, 0);
}

TEST_F(StudyTest, ShowingAWordSpeaksItWhenPronunciationIsOn) {
    form.Check1[2].value = 1;
    form.Check1[0].value = 1;
    openFruit();
    EXPECT_EQ(form.Label1[0].caption, "apple");
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple"}));
}

TEST_F(StudyTest, RightAnswersGoToTheMemorizedBox) {
    openFruit();
    answer("  apple ");  // surrounding spaces do not count
    EXPECT_EQ(form.Label6.caption, "不错，你很聪明！");
    EXPECT_EQ(box(5), Lines{"apple  苹果"});
    EXPECT_EQ(form.Label1[0].tag, "pear");  // the next word moved up into place 0
    EXPECT_EQ(form.Label5.caption, "卡中有3个单词");
    EXPECT_TRUE(form.Text1.enabled);
    EXPECT_EQ(form.Text1.text, "");

    answer("Pear");  // letter case counts
    EXPECT_EQ(form.Label6.caption, "你没有写对，请再试一次！");
    answer("pear");
    EXPECT_EQ(form.Label6.caption, "你终于记住了，还要努力呀！");
    EXPECT_EQ(box(5), (Lines{"apple  苹果", "pear  梨"}));
    EXPECT_EQ(form.attempts(), 0);
}

TEST_F(StudyTest, WrongAnswersGiveHintsWhileTheEnglishIsHidden) {
    openFruit();
    answer("aple");
    EXPECT_EQ(form.Label1[0].caption, "ap***");
    EXPECT_EQ(form.Label6.caption, "你没有写对，请再试一次！");
    EXPECT_EQ(form.Text1.text, "aple");  // left for correction
    answer("Apple");
    EXPECT_EQ(form.Label1[0].caption, "*pple");
    EXPECT_EQ(form.Label6.caption, "你有没有搞错，请再试一次！");
    EXPECT_EQ(box(0).size(), 4u);

    form.Check1[0].value = 1;
    form.check1Click(0);
    EXPECT_EQ(form.Label1[0].caption, "apple");  // the same word, not a new one
    form.Check1[0].value = 0;
    form.check1Click(0);
    EXPECT_EQ(form.Label1[0].caption, "");
}

TEST(SpellingHint, ComparesPositionByPositionWithTheUntrimmedAnswer) {
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
    EXPECT_EQ(form.Label6.caption, "你真是太笨了，该单词将被记录在一次遗忘卡中。");
    EXPECT_EQ(box(1), Lines{"apple  苹果"});
    EXPECT_EQ(box(0).size(), 3u);
    EXPECT_TRUE(form.Label1[1].visible);
    EXPECT_EQ(form.Label1[0].caption, "*****");  // the hint stays; the word is only spoken
    EXPECT_EQ(voice.spoken, Lines{"apple"});
    EXPECT_FALSE(form.Text1.enabled);
    EXPECT_EQ(form.Label5.caption, "卡中有4个单词");  // until the next word is shown
    EXPECT_TRUE(form.Timer1.enabled);                 // "自动翻页" is on by design
    EXPECT_EQ(form.Timer1.interval, 4000);

    form.timer1Tick();
    EXPECT_FALSE(form.Timer1.enabled);
    EXPECT_EQ(form.Label1[0].tag, "pear");
    EXPECT_TRUE(form.Text1.enabled);
    EXPECT_EQ(form.Label5.caption, "卡中有3个单词");
}

TEST_F(StudyTest, WithoutAutoPageTurnTheLearnerMovesOn) {
    form.Check1[3].value = 0;
    form.Check1[1].value = 0;
    openFruit();
    EXPECT_FALSE(form.Label1[1].visible);
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_TRUE(form.Label1[1].visible);  // shown after the third failure anyway
    EXPECT_FALSE(form.Timer1.enabled);
}

TEST_F(StudyTest, AWordFailedInTheLastForgottenBoxStaysThere) {
    form.initlist(writeLesson("第二课.txt", {"one  一"}));
    // Walk it from box 0 through boxes 1 to 4.
    for (int target = 1; target <= 4; ++target) {
        for (const char* wrong : {"a", "b", "c"}) {
            answer(wrong);
        }
        chooseBox(target);
    }
    ASSERT_EQ(box(4), Lines{"one  一"});
    EXPECT_EQ(form.frontList, 4);
    EXPECT_EQ(form.Label3.caption, "可以在下面的单词库中选择当前学习的单词。");
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(form.Label6.caption, "这个单词你总是记不住，你最好24小时都想着它");
    EXPECT_EQ(box(4), Lines{"one  一"});
    form.timer1Tick();
    EXPECT_EQ(form.Label1[0].tag, "one");  // the same word again
    EXPECT_EQ(form.attempts(), 0);
}

TEST_F(StudyTest, AMemorizedWordForgottenGoesBackToTheNewWords) {
    form.initlist(writeLesson("第二课.txt", {"one  一", "two  二"}));
    answer("one");
    chooseBox(5);
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(form.Label6.caption,
              "怎么原来记住的单词又全部忘了！你真是太笨了，该单词将被记录在生词卡中。");
    EXPECT_EQ(box(0), (Lines{"two  二", "one  一"}));
    EXPECT_TRUE(box(5).empty());
    EXPECT_TRUE(form.Text1.enabled);
    const std::string message = form.Label6.caption;
    answer("onf");  // a fourth Enter: only the hint
    EXPECT_EQ(form.Label1[0].caption, "on*");
    EXPECT_EQ(form.Label6.caption, message);
    EXPECT_EQ(box(0).size(), 2u);
}

TEST_F(StudyTest, RandomWordChangeNeverDrawsTheLastEntry) {
    form.Check1[4].value = 1;
    random.values = {0.99f, 0.5f, 0.99f};
    openFruit();  // Int(3 * 0.99) = 2
    EXPECT_EQ(form.Label1[0].tag, "plum");
    form.command5Click();  // ">>" draws too: Int(3 * 0.5) = 1
    EXPECT_EQ(form.Label1[0].tag, "pear");

    form.initlist(writeLesson("第二课.txt", {"one  一", "two  二"}));
    EXPECT_EQ(form.Label1[0].tag, "one");  // Int(1 * 0.99) = 0
}

TEST_F(StudyTest, ChoosingABoxStartsItAgainAtItsFirstWord) {
    openFruit();
    form.command5Click();
    answer("wrong");
    ASSERT_EQ(form.attempts(), 1);
    chooseBox(0);
    EXPECT_EQ(form.Label1[0].tag, "apple");
    EXPECT_EQ(form.attempts(), 0);

    chooseBox(3);  // empty
    EXPECT_EQ(form.Label1[0].caption, "");
    EXPECT_EQ(form.Label1[0].tag, "");
    EXPECT_EQ(form.Label1[1].caption, "");
    EXPECT_EQ(form.Label5.caption, "卡中有0个单词");
    answer("");
    EXPECT_TRUE(box(5).empty());  // nothing to judge, nothing appended
    EXPECT_EQ(form.Label6.caption, "请先选择一个单词。");
}

TEST_F(StudyTest, SteppingPastTheEndsKeepsTheWordAndResetsTheCount) {
    openFruit();
    form.command3Click();  // "<<" at the first word
    EXPECT_EQ(form.Label1[0].tag, "apple");
    for (int i = 0; i < 3; ++i) {
        form.command5Click();
    }
    EXPECT_EQ(form.Label1[0].tag, "peach");
    answer("a");
    answer("b");
    answer("c");
    ASSERT_TRUE(form.Timer1.enabled);
    form.command5Click();               // ">>" at the last word (index 3 → 4)
    EXPECT_FALSE(form.Timer1.enabled);  // the pending page turn is cancelled
    EXPECT_EQ(form.attempts(), 0);
    EXPECT_EQ(form.Label1[0].tag, "peach");

    form.Timer1.tag = "not a number";
    form.command5Click();
    EXPECT_EQ(form.Label1[0].tag, "peach");
}

TEST_F(StudyTest, AfterTheLastWordOfABoxLeavesEnterMovesNothing) {
    form.initlist(writeLesson("第二课.txt", {"one  一"}));
    answer("one");
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_EQ(form.Label1[0].tag, "one");  // the display keeps the answered word
    answer("one");
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_TRUE(box(0).empty());
    EXPECT_EQ(form.Label6.caption, "不错，你很聪明！");
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    EXPECT_EQ(box(5), Lines{"one  一"});
    EXPECT_TRUE(box(1).empty());
    EXPECT_EQ(form.Label6.caption, "这个单词已经不在这个卡片里了，请选择下一个单词。");
}

TEST_F(StudyTest, ALineWithoutSeparatorIsShownWholeAndNeverJudged) {
    form.initlist(writeLesson("第二课.txt", {"apple 苹果", "pear  梨"}));
    EXPECT_EQ(form.List2[0].selected, 0);
    EXPECT_EQ(form.Label1[0].tag, "");
    EXPECT_EQ(form.Label1[1].caption, "apple 苹果");
    EXPECT_NE(form.Label6.caption.find("两个空格"), std::string::npos);
    answer("");
    answer("apple");
    EXPECT_EQ(box(0).size(), 2u);
    EXPECT_TRUE(box(5).empty());
    EXPECT_EQ(form.attempts(), 0);
    form.command5Click();
    EXPECT_EQ(form.Label1[0].tag, "pear");
}

TEST_F(StudyTest, ClickingAWordInTheWordBankShowsIt) {
    openFruit();
    form.List2[0].selected = 2;
    form.list2MouseUp(0);
    EXPECT_EQ(form.Label1[0].tag, "plum");
    EXPECT_EQ(form.Timer1.tag, "2");
}
