#pragma once

namespace lorvane::speech {

// espeak-ng's speed in words per minute for a rate of the voice, -10
// slowest … 0 normal … 10 fastest: every step a different speed, from
// espeak-ng's slowest (80) through its normal 175 to its fastest (450).
// A rate outside -10 … 10 counts as the nearest end.
int wordsPerMinute(int rate);

}  // namespace lorvane::speech
