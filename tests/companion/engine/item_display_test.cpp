// The item on show, the answer check, speaking and showing the English.
#include <array>
#include <utility>

#include "companion/engine/item_display.h"
#include "tests/companion/engine/companion_fixture.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

TEST(ShowItem, SplitsAtTheFirstRunOfTwoOrMoreSpaces) {
    const std::vector<std::array<std::string, 3>> cases = {
        {"abandon  v. 放弃 离开", "abandon", "v. 放弃 离开"},
        {"  look at   看  ", "look at", "看"},
        {"a  b  c", "a", "b  c"},
        {"apple 苹果", "", "apple 苹果"},
        {"apple\t苹果", "", "apple\t苹果"},
        {"  ", "", ""},
    };
    for (const auto& [item, english, meaning] : cases) {
        ItemDisplay display;
        display.show("old  old");
        display.show(item);
        EXPECT_EQ(display.english(), english) << item;
        EXPECT_EQ(display.meaning(), meaning) << item;
    }
}

// An English answer is typed straight from the keyboard, where an active
// Chinese input method would swallow the letters; a reversed lesson's answer
// (Chinese) or one with accented letters needs the input method.
TEST(ShowItem, ExpectsPlainAsciiOnlyForAnAnswerWithoutOtherCharacters) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"apple  苹果", true},     {"look at  看", true},    {"don't  不要", true},
        {"apple 苹果", true},      {"苹果  apple", false},   {"café  咖啡", false},
        {"ｗｏｒｄ  全角", false}, {"naïve  天真的", false}, {"T恤  T-shirt", false},
    };
    for (const auto& [item, plainAscii] : cases) {
        ItemDisplay display;
        display.show(item);
        EXPECT_EQ(display.expectsPlainAscii(), plainAscii) << item;
    }
    ItemDisplay display;
    display.show("苹果  apple");
    display.showMessage("课文是空的");  // nothing to answer
    EXPECT_TRUE(display.expectsPlainAscii());
}

class ItemDisplayTest : public CompanionTest {
protected:
    ItemDisplayTest() {
        add(lesson("one.txt", {"apple  苹果", "look at  看", "apple 苹果", "<b>  粗"}), true);
        study(0);
    }
};

TEST_F(ItemDisplayTest, ACurrentItemOutsideTheItemsShowsAnEmptyItem) {
    for (const int index : {4, -1}) {
        restoreCursor(0, index);
        engine.showCurrentItem();
        EXPECT_EQ(meaning() + english(), "") << index;
    }
}

TEST_F(ItemDisplayTest, AnswerIsTrimmedAndCaseSensitive) {
    engine.submitAnswer("Apple");
    EXPECT_EQ(answer(), "Apple");  // wrong: nothing happens, nothing is said
    EXPECT_EQ(currentItem(), 0);
    engine.submitAnswer("  apple ");
    EXPECT_EQ(answer(), "");
    EXPECT_EQ(meaning(), "看");
    engine.revealEnglish();
    EXPECT_EQ(answer(), "look at");
    engine.submitAnswer(answer());
    EXPECT_EQ(meaning(), "apple 苹果");
    engine.submitAnswer("");  // no separator: the empty answer is the right one
    EXPECT_EQ(currentItem(), 3);
    EXPECT_TRUE(voice.spoken.empty());
}

TEST_F(ItemDisplayTest, SpeaksTheHiddenEnglishUnchanged) {
    engine.speakWord();
    engine.speakWord();
    restoreCursor(0, 3);
    engine.showCurrentItem();
    engine.speakWord();
    restoreCursor(0, 2);
    engine.showCurrentItem();
    engine.speakWord();  // cuts off the speech and says nothing
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple", "apple", "<b>", ""}));
}

}  // namespace
