// The lesson the settings reopen, read ahead of the start-up display.
#include <future>

#include "companion/engine/lesson_read_ahead.h"
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::companion;

namespace {

using Items = std::vector<std::string>;

// Settings that reopen "two" of three lessons at its second item, and a
// second engine to start on them, as the next run of the program would.
class LessonReadAheadTest : public CompanionTest {
protected:
    LessonReadAheadTest() {
        add(lesson("one.txt", {"apple  苹果"}), true);
        add(lesson("two.txt", {"red  红", "blue  蓝", "green  绿"}), false);
        add(lesson("three.txt", {"cat  猫"}), true);
        restoreCursor(1, 1);
    }
    // The read ahead handed over as the program's start hands it over.
    static void offer(CompanionEngine& engine, std::optional<ReadLesson> read) {
        std::promise<std::optional<ReadLesson>> done;
        done.set_value(std::move(read));
        engine.offerLessonReadAhead(done.get_future());
    }
    std::string folder() { return programDir.path(); }

    FakeCompanionUi nextUi;
    CompanionEngine next{programDir.path(), voice, random, nextUi};
};

TEST_F(LessonReadAheadTest, TheStartTakesTheReadOfItsLessonAndLetsItGoAfterwards) {
    std::optional<ReadLesson> read = readLessonAhead(folder());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->path, inLessons("two.txt"));
    // Changed on disk after the read: the start shows what was read.
    lesson("two.txt", {"one  一", "two  二"});
    next.loadSettings();
    offer(next, std::move(read));
    next.startupDisplay();
    EXPECT_EQ(itemsAsStrings(next.items()), (Items{"red  红", "blue  蓝", "green  绿"}));
    EXPECT_EQ(next.item().meaning(), "蓝");
    EXPECT_EQ(nextUi.events, 0);  // nothing left to wait for
    // Any later load reads the file itself.
    EXPECT_TRUE(next.loadLesson(inLessons("two.txt")));
    EXPECT_EQ(itemsAsStrings(next.items()), (Items{"one  一", "two  二"}));
}

TEST_F(LessonReadAheadTest, AReadOfAnotherLessonIsNotTaken) {
    offer(next, readLesson(inLessons("three.txt")));
    next.loadSettings();
    next.startupDisplay();
    EXPECT_EQ(itemsAsStrings(next.items()), (Items{"red  红", "blue  蓝", "green  绿"}));
    EXPECT_GT(nextUi.events, 0);
}

TEST_F(LessonReadAheadTest, NothingIsReadWhereTheStartLoadsNothing) {
    restoreCursor(3, 0);  // past the list's end
    EXPECT_FALSE(readLessonAhead(folder()));
    restoreCursor(-1, 0);
    EXPECT_FALSE(readLessonAhead(folder()));
    restoreCursor(1, 0);
    engine.tickLesson(0, false);
    engine.tickLesson(2, false);
    restoreCursor(1, 0);  // the list with no lesson ticked
    EXPECT_FALSE(readLessonAhead(folder()));
    std::filesystem::remove(inLessons("listgirl.dat"));
    EXPECT_FALSE(readLessonAhead(folder()));
}

// A lesson that can't be read, or is empty, says so on the label in the
// same words whether it was read ahead or not.
TEST_F(LessonReadAheadTest, AFailedReadTellsWhatTheStartsOwnReadTells) {
    for (const bool missing : {true, false}) {
        std::filesystem::remove(inLessons("two.txt"));
        if (!missing) {
            lessonBytes("two.txt", "");
        }
        CompanionEngine own{folder(), voice, random, ui};
        own.loadSettings();
        own.startupDisplay();
        ASSERT_FALSE(own.item().meaning().empty());

        CompanionEngine ahead{folder(), voice, random, ui};
        ahead.loadSettings();
        std::optional<ReadLesson> read = readLessonAhead(folder());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->status.ok(), !missing);
        offer(ahead, std::move(read));
        ahead.startupDisplay();
        EXPECT_EQ(ahead.item().meaning(), own.item().meaning());
        EXPECT_TRUE(ahead.items().empty());
    }
}

}  // namespace
