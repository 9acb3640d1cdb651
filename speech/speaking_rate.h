#pragma once

namespace lorvane::speech {

// espeak-ng's speed in words per minute for a rate of the voice, -10
// slowest … 0 normal … 10 fastest: every step a different speed, from
// espeak-ng's slowest (80) through its normal 175 to its fastest (450).
// A rate outside -10 … 10 counts as the nearest end.
int wordsPerMinute(int rate);

// The same speeds as factors of normal speed (1 at rate 0, 0.46 at -10,
// 2.57 at 10), for a synthesiser that is told how much faster or slower
// than its own normal to speak. A rate outside -10 … 10 counts as the
// nearest end.
double relativeSpeed(int rate);

}  // namespace lorvane::speech
