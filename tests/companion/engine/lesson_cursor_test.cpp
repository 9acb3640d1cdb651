// The cursor over the lesson list and the lesson's items.
#include <sys/stat.h>

#include <cmath>
#include <limits>

#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

using Items = std::vector<std::string>;

// Lessons "one" and "three" ticked, "two" between them not.
class CursorTest : public CompanionTest {
protected:
    CursorTest() {
        add(lesson("one.txt", {"apple  苹果", "pear  梨", "plum  李子"}), true);
        add(lesson("two.txt", {"red  红", "blue  蓝"}), false);
        add(lesson("three.txt", {"cat  猫", "dog  狗", "fish  鱼"}), true);
    }
};

TEST_F(CursorTest, LoadKeepsEveryLineAndLeavesTheCursorAlone) {
    restoreCursor(0, 7);
    engine.loadLesson(lessonBytes("odd.txt", "  a  1  \r\n\r\n   \r\n\tb  2\r\nc\nd  3"));
    EXPECT_EQ(items(), (Items{"a  1", "", "", "\tb  2", "cd  3"}));
    EXPECT_EQ(ui.events, 5);
    EXPECT_EQ(currentItem(), 7);
    EXPECT_EQ(meaning(), "");
}

TEST_F(CursorTest, NextItemSkipsUntickedLessonsAndPastTheEndRestartsWithoutReloading) {
    add(inLessons("missing.txt"), false);
    study(0);
    engine.editAnswer("typed");
    engine.nextItem();
    EXPECT_EQ(meaning(), "梨");
    EXPECT_EQ(answer(), "");
    engine.nextItem();
    engine.nextItem();
    EXPECT_EQ(currentLesson(), 2);
    EXPECT_EQ(meaning(), "猫");
    lesson("three.txt", {"changed  改了"});  // a reload would show this
    for (int i = 0; i < 3; ++i) {
        engine.nextItem();
    }
    EXPECT_EQ(currentLesson(), 3);  // the last index, an unticked entry
    EXPECT_EQ(currentItem(), 0);
    EXPECT_EQ(meaning(), "猫");
}

TEST_F(CursorTest, PreviousItemKeepsTheAnswerAndBeforeTheStartRestartsTheSameLesson) {
    study(2);
    engine.editAnswer("typed");
    engine.previousItem();
    EXPECT_EQ(answer(), "typed");
    EXPECT_EQ(currentLesson(), 0);
    EXPECT_EQ(meaning(), "苹果");
    lesson("one.txt", {"changed  改了"});
    engine.nextItem();
    engine.previousGroup();
    EXPECT_EQ(currentLesson(), 0);
    EXPECT_EQ(currentItem(), 0);
    EXPECT_EQ(meaning(), "苹果");
}

TEST_F(CursorTest, PreviousGroupFarBeyondAShortenedListStaysOnTheLessonInMemory) {
    study(2);
    restoreCursor(7, 0);
    engine.previousGroup();
    EXPECT_EQ(currentLesson(), 2);
    EXPECT_EQ(currentItem(), 1);  // number of items − 2
    EXPECT_EQ(meaning(), "狗");
}

TEST_F(CursorTest, NothingTickedOpensTheLessonListAndIndicesNeverOverflow) {
    study(0);
    engine.tickLesson(0, false);
    engine.tickLesson(2, false);
    restoreCursor(0, std::numeric_limits<std::int16_t>::max());
    engine.nextItem();
    EXPECT_EQ(currentItem(), std::numeric_limits<std::int16_t>::max());
    restoreCursor(0, std::numeric_limits<std::int16_t>::min());
    engine.previousItem();
    EXPECT_EQ(currentItem(), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(ui.listShown, 2);
    EXPECT_EQ(currentLesson(), 0);
    EXPECT_EQ(meaning(), "苹果");
}

TEST_F(CursorTest, AZeroStepOnAnUntickedLessonStopsInsteadOfLooping) {
    study(0);
    restoreCursor(1, 0);
    engine.moveToLesson(0);
    EXPECT_EQ(currentLesson(), 1);
}

// The label says why there is nothing to show, and no longer expects the
// last lesson's word; the next item moves on to the next lesson.
TEST_F(CursorTest, AMissingLessonIsSaidOnTheLabelAndNextItemMovesOn) {
    std::filesystem::remove(inLessons("two.txt"));
    engine.tickLesson(1, true);
    study(0);
    engine.nextGroup();
    EXPECT_EQ(currentLesson(), 1);
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(meaning(), "打不开：找不到文件");
    EXPECT_EQ(english(), "");
    engine.nextItem();
    EXPECT_EQ(currentLesson(), 2);
    EXPECT_EQ(meaning(), "猫");
}

TEST_F(CompanionTest, EmptyAndUnreadableLessonsAreSaidBrieflyOnTheLabel) {
    const std::string pipe = inLessons("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(inLessons("folder.txt"));
    const std::pair<std::string, std::string> cases[] = {
        {lessonBytes("empty.txt", ""), "课文是空的"},
        {pipe, "打不开：不是普通文件"},
        {inLessons("folder.txt"), "打不开：是文件夹，不是普通文件"},
    };
    for (const auto& [path, said] : cases) {
        add(lesson("one.txt", {"apple  苹果"}), true);
        add(path, true);
        study(0);
        engine.nextGroup();
        EXPECT_TRUE(items().empty()) << path;
        EXPECT_EQ(meaning(), said);
        EXPECT_EQ(english(), "");
        remove(1);
        remove(0);
    }
}

// Saved by a Linux editor: LF line ends and no CR, in UTF-8.
TEST_F(CompanionTest, ALessonWithLfLineEndsGivesOneItemPerLine) {
    add(lessonBytes("unix.txt", "apple  苹果\npear  梨\n\nplum  李子\n"), true);
    study(0);
    EXPECT_EQ(items(), (Items{"apple  苹果", "pear  梨", "", "plum  李子"}));
    EXPECT_EQ(meaning(), "苹果");
    engine.submitAnswer("apple");
    EXPECT_EQ(meaning(), "梨");
}

TEST_F(CompanionTest, OneItemAndEmptyLessonsGoOnToTheNextGroupInBothModes) {
    add(lesson("one.txt", {"only  唯一"}), true);
    add(lessonBytes("empty.txt", ""), true);
    add(lesson("two.txt", {"x  叉", "y  歪"}), true);
    for (const bool randomMode : {false, true}) {
        engine.setOption(MenuOption::RandomOrder, randomMode);
        study(0);
        engine.nextItem();
        EXPECT_EQ(currentLesson(), 1);
        engine.nextItem();
        EXPECT_EQ(currentLesson(), 2);
        EXPECT_EQ(meaning(), "叉");
    }
}

// The highest draw below 1 rounds up to n in single precision when n − 1 is
// a power of two, as for these five items.
TEST_F(CompanionTest, RandomDrawsLieBetweenOneAndTheLastItem) {
    random.draws = {0.0f, 0.5f, std::nextafter(1.0f, 0.0f)};
    add(lesson("five.txt", {"a  0", "b  1", "c  2", "d  3", "e  4"}), true);
    study(0);
    engine.setOption(MenuOption::RandomOrder, true);
    std::vector<int> drawn;
    for (int i = 0; i < 3; ++i) {
        engine.nextItem();
        drawn.push_back(currentItem());
    }
    engine.previousItem();
    drawn.push_back(currentItem());
    EXPECT_EQ(drawn, (std::vector<int>{1, 3, 4, 1}));
    EXPECT_EQ(currentLesson(), 0);
}

// The lesson chosen for an empty list is the one started, whatever the step
// and the index the cursor had.
TEST_F(CompanionTest, AnEmptyListAsksForALessonAndCancelOpensTheLessonList) {
    restoreCursor(3, 0);
    engine.moveToLesson(1);
    EXPECT_EQ(ui.listShown, 1);
    EXPECT_EQ(currentLesson(), 0);
    ui.files = {lesson("one.txt", {"apple  苹果"})};
    restoreCursor(3, 1);
    engine.nextGroup();
    EXPECT_EQ(engine.lessons().entries(),
              (std::vector<LessonListEntry>{{inLessons("one.txt"), true}}));
    EXPECT_EQ(currentItem(), 0);
    EXPECT_EQ(meaning(), "苹果");
}

TEST_F(CompanionTest, StartupContinuesAtTheRestoredPlaceTickedOrNot) {
    add(lesson("one.txt", {"apple  苹果", "pear  梨", "plum  李子"}), false);
    add(lesson("two.txt", {"red  红"}), true);
    restoreCursor(2, 0);  // outside the list: nothing is loaded
    engine.startupDisplay();
    EXPECT_TRUE(items().empty());
    restoreCursor(0, 2);
    engine.startupDisplay();
    EXPECT_EQ(meaning(), "李子");
    engine.tickLesson(1, false);
    engine.startupDisplay();  // items in memory, nothing ticked
    EXPECT_EQ(ui.listShown, 1);
    EXPECT_EQ(ui.dialogs, 0);
}

TEST_F(CompanionTest, FirstStartAsksForALessonAndShowsIt) {
    engine.startupDisplay();  // cancelled: nothing at all
    ui.files = {lesson("one.txt", {"apple  苹果"})};
    engine.startupDisplay();
    EXPECT_EQ(ui.dialogs, 2);
    EXPECT_EQ(engine.lessons().entries(),
              (std::vector<LessonListEntry>{{inLessons("one.txt"), true}}));
    EXPECT_EQ(meaning(), "苹果");
}

TEST_F(CompanionTest, ALessonLongerThan32767LinesKeepsTheFirst32767) {
    std::string bytes;
    for (int i = 0; i <= LessonCursor::kMaxItems; ++i) {
        bytes += std::to_string(i) + "  x\r\n";
    }
    EXPECT_TRUE(engine.loadLesson(lessonBytes("huge.txt", bytes)));
    EXPECT_EQ(static_cast<int>(items().size()), LessonCursor::kMaxItems);
    EXPECT_EQ(items().back(), "32766  x");
}

// Commands given while a lesson loads: the reader lets the window run after
// every line.
class ReentrantLoadTest : public CompanionTest {
protected:
    ReentrantLoadTest() {
        add(lesson("long.txt", {"a  1", "b  2", "c  3", "d  4", "e  5"}), true);
        add(lesson("short.txt", {"x  叉", "y  歪"}), true);
    }
    void afterLine(int line, std::function<void()> command) {
        ui.onPendingEvents = [this, line, command] {
            if (ui.events == line) {
                command();
            }
        };
    }
};

TEST_F(ReentrantLoadTest, AGroupMoveDuringALoadWinsAndTheLessonsNeverMix) {
    afterLine(2, [this] { engine.nextGroup(); });
    restoreCursor(0, 3);
    engine.startupDisplay();
    EXPECT_EQ(items(), (Items{"x  叉", "y  歪"}));
    EXPECT_EQ(currentLesson(), 1);
    EXPECT_EQ(currentItem(), 0);
    EXPECT_EQ(meaning(), "叉");
    EXPECT_EQ(ui.events, 4);  // the first load read no further
}

TEST_F(ReentrantLoadTest, AnItemMoveSeesThePartlyLoadedLessonAndTheLoadFinishes) {
    afterLine(3, [this] { engine.nextItem(); });
    study(0);
    EXPECT_EQ(items().size(), 5u);
    EXPECT_EQ(meaning(), "1");
}

}  // namespace
