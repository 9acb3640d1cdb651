#include "common/random_source.h"

namespace lorvane::common {

float ClassicRandom::next() {
    constexpr std::uint32_t kMask = (1u << 24) - 1;
    state_ = (state_ * 1140671485u + 12820163u) & kMask;
    return static_cast<float>(state_) / static_cast<float>(1u << 24);
}

}  // namespace lorvane::common
