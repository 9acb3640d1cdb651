#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::companion {

// Menu checks as the settings file stores them: the words True and False.
// Reading also takes either word in any letter case and any decimal number
// (0 is false, every other number true); anything else, such as the "ture"
// that a missing `munOnTop` key yields, is no truth value at all.
std::optional<bool> parseTruthValue(std::string_view text);
std::string formatTruthValue(bool value);

}  // namespace lorvane::companion
