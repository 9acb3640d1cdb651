#include "trainer/engine/answer_check.h"

#include <algorithm>

#include "common/text_file.h"
#include "common/utf8_text.h"

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

std::string AnswerCheck::spellingHint(std::string_view expected, std::string_view typed) {
    std::string hint;
    const std::size_t expectedLength = common::utf8::length(expected);
    for (std::size_t k = 0; k < expectedLength; ++k) {
        const std::string_view wanted = common::utf8::mid(expected, k, 1);
        // utf8::mid gives "" past the end of the typed text.
        hint += common::utf8::mid(typed, k, 1) == wanted ? wanted : std::string_view("*");
    }
    return hint;
}

}  // namespace lorvane::trainer
