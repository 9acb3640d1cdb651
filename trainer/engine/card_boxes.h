#pragma once

#include <array>
#include <string_view>

namespace lorvane::trainer {

// The six card boxes of the trainer, in the order of the box list. Each name
// begins with a space, as the box list shows it; messages use it trimmed.
inline constexpr int kBoxCount = 6;
inline constexpr int kNewWordBox = 0;
inline constexpr int kManyTimesBox = 4;  // the last box of forgotten words
inline constexpr int kMemorizedBox = 5;

inline constexpr std::array<std::string_view, kBoxCount> kBoxNames = {
    " 生词卡", " 一次遗忘卡", " 二次遗忘卡", " 三次遗忘卡", " 多次遗忘卡", " 记忆卡",
};

inline constexpr std::string_view trimmedBoxName(int box) {
    return kBoxNames[static_cast<std::size_t>(box)].substr(1);
}

}  // namespace lorvane::trainer
