#include "trainer/engine/answer_check.h"

#include <algorithm>

#include "common/text_file.h"
#include "trainer/engine/spelling_hint.h"

namespace lorvane::trainer {

namespace {
constexpr int kMaxAttempts = 32767;  // the counter is 16-bit
}

AnswerCheck::Outcome AnswerCheck::judge(std::string_view typed) {
    Outcome outcome;
    if (expected_.empty()) {
        return outcome;
    }
    attempts_ = std::min(attempts_ + 1, kMaxAttempts);
    if (common::trimSpaces(typed) == expected_) {
        outcome.verdict = Verdict::Right;
        outcome.atFirstTry = attempts_ == 1;
        return outcome;
    }
    outcome.hint = spellingHint(expected_, typed);
    switch (attempts_) {
        case 1:
            outcome.verdict = Verdict::WrongOnce;
            break;
        case 2:
            outcome.verdict = Verdict::WrongTwice;
            break;
        case 3:
            outcome.verdict = Verdict::ThirdFailure;
            break;
        default:
            outcome.verdict = Verdict::WrongAgain;
            break;
    }
    return outcome;
}

}  // namespace lorvane::trainer
