#include "speech/speaking_rate.h"

#include <algorithm>
#include <cmath>

namespace lorvane::speech {

namespace {
constexpr double kSlowest = 80;
constexpr double kNormal = 175;
constexpr double kFastest = 450;
constexpr int kSteps = 10;
}  // namespace

int wordsPerMinute(int rate) {
    const int step = std::clamp(rate, -kSteps, kSteps);
    // Each step changes the speed by the same factor, a different one on
    // either side of normal, so both ends are reached exactly and every
    // step is about as noticeable as the next: 8 % slower, 10 % faster.
    const double end = step < 0 ? kSlowest : kFastest;
    const double speed = kNormal * std::pow(end / kNormal, std::abs(step) / double{kSteps});
    return static_cast<int>(std::lround(speed));
}

}  // namespace lorvane::speech
