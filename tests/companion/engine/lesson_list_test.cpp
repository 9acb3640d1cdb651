// The lesson list window's list and what its buttons do to the cursor.
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

TEST(LessonList, HoldsAtMost32767LessonsAndSaysWhyNotMore) {
    LessonList list;
    for (int i = 0; i < LessonList::kMaxEntries; ++i) {
        ASSERT_TRUE(list.add("/l.txt", false));
    }
    const Status full = list.add("/one-too-many.txt", true);
    EXPECT_FALSE(full.ok());
    EXPECT_NE(full.message().find("32767"), std::string::npos);
    EXPECT_EQ(list.count(), LessonList::kMaxEntries);
}

class LessonListWindowTest : public CompanionTest {
protected:
    LessonListWindowTest() {
        add(lesson("one.txt", {"apple  苹果"}), true);
        add(lesson("two.txt", {"red  红"}), false);
        add(lesson("three.txt", {"cat  猫"}), true);
    }
};

TEST_F(LessonListWindowTest, AddingAppendsTickedWithoutStartingOrTellsWhyNot) {
    ui.files = {inLessons("four.txt"), "   ", "/bad\nname.txt", "/bad\rname.txt"};
    for (int i = 0; i < 4; ++i) {
        engine.addLesson();
    }
    EXPECT_EQ(engine.lessons().count(), 4);
    EXPECT_EQ(engine.lessons().at(3), (LessonListEntry{inLessons("four.txt"), true}));
    EXPECT_TRUE(items().empty());
    ASSERT_EQ(ui.refusals.size(), 2u);
    EXPECT_NE(ui.refusals[1].find("换行"), std::string::npos);
}

TEST_F(LessonListWindowTest, StudyingTicksAndStartsDeletingLeavesTheCurrentLessonAsItIs) {
    study(1);
    EXPECT_TRUE(engine.lessons().at(1).ticked);
    EXPECT_EQ(meaning(), "红");
    remove(0);
    EXPECT_EQ(currentLesson(), 1);
    EXPECT_EQ(engine.currentLessonFileName(), "three.txt");
    engine.studyHighlightedLesson();  // the highlight went with its entry
    EXPECT_EQ(meaning(), "红");
}

TEST_F(CompanionTest, TheOpenLessonRoutineLoadsOnlyWhenTheNewLessonIsTheOnlyTickedOne) {
    add(lesson("one.txt", {"apple  苹果"}), false);
    ui.files = {lesson("two.txt", {"red  红"}), lesson("three.txt", {"x  叉"})};
    restoreCursor(1, 0);
    engine.askForFirstLesson();
    EXPECT_EQ(items(), std::vector<std::string>{"red  红"});
    engine.loadLesson(inLessons("one.txt"));
    engine.askForFirstLesson();
    EXPECT_EQ(items(), std::vector<std::string>{"apple  苹果"});
}

}  // namespace
