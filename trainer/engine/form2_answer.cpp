// The answer check and the auto page-turn of the study window.
#include <algorithm>

#include "common/numbers.h"
#include "common/text_file.h"
#include "trainer/engine/form2.h"
#include "trainer/engine/spelling_hint.h"

namespace lorvane::trainer {

namespace {
constexpr int kMaxAttempts = 32767;  // the counter is 16-bit
}

void Form2::text1Enter() {
    if (!Text1.enabled) {
        return;  // a disabled box takes no Enter
    }
    if (Label1[0].tag.empty()) {
        // No word is shown (an empty box, or a line that cannot be
        // practised): there is nothing to judge and nothing to move.
        Label6.caption = "请先选择一个单词。";
        return;
    }
    attempts_ = std::min(attempts_ + 1, kMaxAttempts);
    const std::string typed = Text1.text;
    if (common::trimSpaces(typed) == Label1[0].tag) {
        rightAnswer();
    } else {
        wrongAnswer(typed);
    }
}

// The entry the learner is answering: the selected entry of the selected
// box, or -1 once it has left the box (the display still shows it).
int Form2::answeredEntry() const {
    const int box = selectedBox();
    return box < 0 ? -1 : List2[static_cast<std::size_t>(box)].selected;
}

void Form2::rightAnswer() {
    Label6.caption = attempts_ == 1 ? "不错，你很聪明！" : "你终于记住了，还要努力呀！";
    const int index = answeredEntry();
    if (index < 0) {
        return;  // the word is already gone from this box: nothing moves
    }
    Text1.enabled = false;
    moveEntry(selectedBox(), index, kMemorizedBox);
    // The entry that moved up into its place is shown next.
    showword(index);
    Text1.enabled = true;
}

void Form2::wrongAnswer(const std::string& typed) {
    if (!Check1[0].checked()) {
        Label1[0].caption = spellingHint(Label1[0].tag, typed);
    }
    switch (attempts_) {
        case 1:
            Label6.caption = "你没有写对，请再试一次！";
            break;
        case 2:
            Label6.caption = "你有没有搞错，请再试一次！";
            break;
        case 3:
            thirdFailure();
            break;
        default:
            break;  // from the fourth try on, only the hint changes
    }
}

void Form2::thirdFailure() {
    const int index = answeredEntry();
    if (index < 0) {
        // The word has already left this box: show and say it, move nothing.
        Label6.caption = "这个单词已经不在这个卡片里了，请选择下一个单词。";
        Label1[1].visible = true;
        voice_.speak(Label1[0].tag);
        return;
    }
    Text1.enabled = false;
    const int box = selectedBox();
    int target = box + 1;
    std::string prefix;
    if (box == kMemorizedBox) {
        Text1.enabled = true;
        target = kNewWordBox;
        // A memorized word forgotten: say so, and where it goes now.
        prefix = "怎么原来记住的单词又全部忘了！";
    }
    Timer1.tag = std::to_string(index);
    if (target > kManyTimesBox) {
        Label6.caption = "这个单词你总是记不住，你最好24小时都想着它";
    } else {
        Label6.caption = prefix + "你真是太笨了，该单词将被记录在" +
                         std::string(trimmedBoxName(target)) + "中。";
        moveEntry(box, index, target);
    }
    Label1[1].visible = true;
    voice_.speak(Label1[0].tag);
    if (Check1[3].checked()) {
        Timer1.enabled = true;
    }
}

// Moves an entry to the end of another box (or of its own). A full target
// box keeps the entry where it is rather than lose it.
bool Form2::moveEntry(int fromBox, int index, int toBox) {
    common::ListBoxState& from = List2[static_cast<std::size_t>(fromBox)];
    common::ListBoxState& to = List2[static_cast<std::size_t>(toBox)];
    if (index < 0 || index >= from.count()) {
        return false;
    }
    if (fromBox != toBox && to.isFull()) {
        Label6.caption = std::string(trimmedBoxName(toBox)) + "已满，这个单词留在" +
                         std::string(trimmedBoxName(fromBox)) + "中。";
        return false;
    }
    std::string text = from.item(index);
    from.removeAt(index);
    to.add(std::move(text));
    return true;
}

void Form2::timer1Tick() {
    Timer1.enabled = false;
    if (const auto index = common::toInt16(Timer1.tag)) {
        showword(*index);
    }
    Text1.enabled = true;
}

void Form2::timer2Tick() {
    Timer2.enabled = false;
    command1Click();
}

}  // namespace lorvane::trainer
