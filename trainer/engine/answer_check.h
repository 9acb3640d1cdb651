#pragma once

#include <string>
#include <string_view>

namespace lorvane::trainer {

// Judges what the learner types against the English of the shown entry,
// counting the tries on that entry.
class AnswerCheck {
public:
    enum class Verdict {
        NothingToJudge,  // no entry with an English part is shown
        Right,
        WrongOnce,
        WrongTwice,
        ThirdFailure,  // the entry moves on
        WrongAgain,    // the fourth try and later: only the hint changes
    };

    struct Outcome {
        Verdict verdict = Verdict::NothingToJudge;
        bool atFirstTry = false;  // for Right
        std::string hint;         // for the wrong verdicts: the spelling hint
    };

    // The English the next answers are judged against; "" for none.
    void expect(std::string english) { expected_ = std::move(english); }
    const std::string& expected() const { return expected_; }

    // Enter presses on the shown entry (16-bit).
    int attempts() const { return attempts_; }
    void resetAttempts() { attempts_ = 0; }

    // One press of Enter with `typed` in the answer box. Spaces around the
    // answer don't count; letter case does.
    Outcome judge(std::string_view typed);

    // The hint after a wrong answer: the expected word with every character
    // the learner got wrong replaced by "*", comparing position by position
    // with the answer as typed (spaces included). Always as long as the
    // expected word: spellingHint("apple", "aple") is "ap***".
    static std::string spellingHint(std::string_view expected, std::string_view typed);

private:
    std::string expected_;
    int attempts_ = 0;
};

}  // namespace lorvane::trainer
