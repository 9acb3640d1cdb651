// The item on show, the answer check, speaking and showing the English.
#include <array>

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
        LabelState label{"old", "old"};
        showItem(label, item);
        EXPECT_EQ(label.tag, english) << item;
        EXPECT_EQ(label.caption, meaning) << item;
    }
}

class ItemDisplayTest : public CompanionTest {
protected:
    ItemDisplayTest() {
        add(lesson("one.txt", {"apple  苹果", "look at  看", "apple 苹果", "<b>  粗"}), true);
        study(0);
    }
};

TEST_F(ItemDisplayTest, ACurwordOutsideTheItemsShowsAnEmptyItem) {
    for (const int index : {4, -1}) {
        model().curword = static_cast<std::int16_t>(index);
        engine.showCurrentItem();
        EXPECT_EQ(meaning() + english(), "") << index;
    }
}

TEST_F(ItemDisplayTest, AnswerIsTrimmedAndCaseSensitive) {
    answer() = "Apple";
    engine.checkAnswer();
    EXPECT_EQ(answer(), "Apple");  // wrong: nothing happens, nothing is said
    EXPECT_EQ(curword(), 0);
    answer() = "  apple ";
    engine.checkAnswer();
    EXPECT_EQ(answer(), "");
    EXPECT_EQ(meaning(), "看");
    engine.showCorrectEnglish();
    EXPECT_EQ(answer(), "look at");
    engine.checkAnswer();
    EXPECT_EQ(meaning(), "apple 苹果");
    engine.checkAnswer();  // no separator: the empty answer is the right one
    EXPECT_EQ(curword(), 3);
}

TEST_F(ItemDisplayTest, SpeaksTheHiddenEnglishUnchangedWithFlags11) {
    engine.speakCurrentWord();
    engine.speakCurrentWord();
    model().curword = 3;
    engine.showCurrentItem();
    engine.speakCurrentWord();
    model().curword = 2;
    engine.showCurrentItem();
    engine.speakCurrentWord();  // cuts off the speech and says nothing
    EXPECT_EQ(voice.spoken, (std::vector<std::string>{"apple", "apple", "<b>", ""}));
}

}  // namespace
