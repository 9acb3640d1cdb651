#pragma once

#include <string>
#include <string_view>

namespace lorvane::trainer {

// The hint after a wrong answer: the expected word with every character the
// learner got wrong replaced by "*", comparing position by position with the
// answer as typed (spaces included). Always as long as the expected word.
// spellingHint("apple", "aple") is "ap***".
std::string spellingHint(std::string_view expected, std::string_view typed);

}  // namespace lorvane::trainer
