// The lesson list window's list and what its buttons do to the cursor.
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

TEST(LessonList, HoldsAtMost32767LessonsAndSaysWhyNotMore) {
    LessonList list;
    for (int i = 0; i < kMaxListItems; ++i) {
        list.add("/l.txt", false);
    }
    const LessonList::AddResult full = list.add("/one-too-many.txt", true);
    EXPECT_FALSE(full.added);
    EXPECT_FALSE(full.reason.empty());
    EXPECT_EQ(list.count(), kMaxListItems);
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
    EXPECT_EQ(model().form4.count(), 4);
    EXPECT_EQ(model().form4.at(3), (LessonListEntry{inLessons("four.txt"), true}));
    EXPECT_TRUE(items().empty());
    ASSERT_EQ(ui.refusals.size(), 2u);
    EXPECT_NE(ui.refusals[1].find("换行"), std::string::npos);
}

TEST_F(LessonListWindowTest, StudyingTicksAndStartsDeletingLeavesCurkewenAsItIs) {
    study(1);
    EXPECT_TRUE(model().form4.at(1).ticked);
    EXPECT_EQ(meaning(), "红");
    model().form4.highlight(0);
    engine.deleteHighlightedLesson();
    EXPECT_EQ(curkewen(), 1);
    EXPECT_EQ(engine.currentLessonFileName(), "three.txt");
    engine.studyHighlightedLesson();  // the highlight went with its entry
    EXPECT_EQ(meaning(), "红");
}

TEST_F(CompanionTest, TheOpenLessonRoutineLoadsOnlyWhenTheNewLessonIsTheOnlyTickedOne) {
    add(lesson("one.txt", {"apple  苹果"}), false);
    ui.files = {lesson("two.txt", {"red  红"}), lesson("three.txt", {"x  叉"})};
    model().curkewen = 1;
    engine.openLessonRoutine();
    EXPECT_EQ(items(), std::vector<std::string>{"red  红"});
    engine.loadLesson(inLessons("one.txt"));
    engine.openLessonRoutine();
    EXPECT_EQ(items(), std::vector<std::string>{"apple  苹果"});
}

}  // namespace
