#pragma once

#include <cstdint>

namespace lorvane::common {

// Where the programs' random choices come from. Tests substitute their own.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform number with 0 <= r < 1, in single precision.
    virtual float next() = 0;
};

// The classic 24-bit linear congruential generator. It starts from the same
// seed at every start of a program and is never reseeded, so each run draws
// the same sequence of words.
class ClassicRandom : public RandomSource {
public:
    float next() override;

private:
    std::uint32_t state_ = 327680;
};

}  // namespace lorvane::common
