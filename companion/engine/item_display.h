#pragma once

#include <string>
#include <string_view>

namespace lorvane::companion {

// The item on show in the main window and the answer box under it: the
// meaning the learner sees, the hidden English that is both the expected
// answer and what is spoken, and what the learner has typed.
class ItemDisplay {
public:
    // Shows one line of a lesson. The line splits at its first run of two or
    // more spaces; a line without one is all meaning with an empty English.
    void show(std::string_view item);
    // Shows a short message instead of an item: nothing to answer or speak.
    void showMessage(std::string message);

    const std::string& meaning() const { return meaning_; }
    const std::string& english() const { return english_; }
    const std::string& answer() const { return answer_; }

    void setAnswer(std::string text) { answer_ = std::move(text); }
    // Puts the English into the answer box, for the learner to read.
    void revealEnglish() { answer_ = english_; }
    // Spaces round the answer don't count; letter case does.
    bool answerIsRight() const;
    // True while the expected answer is plain ASCII, typed straight from the
    // keyboard, where an active Chinese input method would only swallow the
    // letters; a Chinese answer (a reversed lesson) or an accented one needs
    // the input method.
    bool expectsPlainAscii() const;

private:
    std::string meaning_;
    std::string english_;
    std::string answer_;
};

}  // namespace lorvane::companion
