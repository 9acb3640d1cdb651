// What the engine reports changed: the windows repaint only that, so a part
// it leaves out stays stale on the screen.
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::companion;

namespace {

class ChangesTest : public CompanionTest {
protected:
    ChangesTest() {
        add(lesson("one.txt", {"apple  苹果", "pear  梨"}), true);
        add(lesson("two.txt", {"red  红"}), false);
        study(0);
        (void)engine.takeChanges();
    }
    // The parts among `changes`, in a fixed order, for readable failures.
    static std::string parts(Changes changes) {
        const std::pair<Change, const char*> all[] = {
            {Change::Item, "item"},       {Change::Answer, "answer"}, {Change::Colours, "colours"},
            {Change::Options, "options"}, {Change::Layer, "layer"},   {Change::Lessons, "lessons"},
            {Change::Voice, "voice"},     {Change::Place, "place"},
        };
        std::string named;
        for (const auto& [change, name] : all) {
            if (changes.has(change)) {
                named += named.empty() ? name : std::string(" ") + name;
            }
        }
        return named;
    }
    std::string taken() { return parts(engine.takeChanges()); }
};

TEST_F(ChangesTest, EachActionReportsThePartsItChangedAndNothingElse) {
    restoreCursor(0, 0);  // loads the settings
    EXPECT_EQ(taken(), "item answer colours options layer lessons voice place");
    EXPECT_EQ(taken(), "");  // taken once

    engine.submitAnswer("pear");  // wrong: only the typed text is new
    EXPECT_EQ(taken(), "answer");
    engine.submitAnswer("apple");
    EXPECT_EQ(taken(), "item answer");
    EXPECT_EQ(meaning(), "梨");
    engine.speakWord();
    EXPECT_EQ(taken(), "");
    engine.revealEnglish();
    EXPECT_EQ(taken(), "answer");

    engine.toggleOption(MenuOption::RandomOrder);
    EXPECT_EQ(taken(), "options");
    engine.toggleOption(MenuOption::AlwaysOnTop);
    EXPECT_EQ(taken(), "options layer");
    engine.setBackgroundColour(255);
    EXPECT_EQ(taken(), "colours");
    engine.windowMoved({.left = 15, .top = 30});
    EXPECT_EQ(taken(), "place");

    study(1);
    EXPECT_EQ(taken(), "item lessons");  // the highlight and the tick; the answer stays
    EXPECT_EQ(meaning(), "红");
}

// The dialog already shows what the learner set; only a value the voice
// settings refuse has to be put back on it.
TEST_F(ChangesTest, TheVoiceDialogIsRepaintedOnlyToUndoARefusedValue) {
    engine.setVolume(80);
    engine.setRate(-10);
    engine.selectVoice(2);
    EXPECT_EQ(taken(), "");
    engine.setVolume(101);
    EXPECT_EQ(taken(), "voice");
    EXPECT_EQ(engine.voiceSettings().volume(), 80);
}

}  // namespace
