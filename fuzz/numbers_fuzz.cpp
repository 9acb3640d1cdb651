// Numbers as the settings files hold them: a 16-bit reading agrees with the
// 32-bit one, results stay in range, and every number written reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "common/numbers.h"

using namespace lorvane::common;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto small = toInt16(text);
    const auto large = toInt32(text);
    if (small) {
        check(large && *large == *small);
    } else if (large) {
        check(*large < std::numeric_limits<std::int16_t>::min() ||
              *large > std::numeric_limits<std::int16_t>::max());
    }

    // Any value written comes back: whole numbers exactly, others as the same
    // single-precision value.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            const std::string written = formatNumber(value);
            check(!written.empty());
            if (value == std::trunc(value) && std::abs(value) <= 2147483647.0) {
                check(toInt32(written) == static_cast<std::int32_t>(value));
            }
            if (std::abs(value) <= std::numeric_limits<float>::max()) {
                check(std::strtof(written.c_str(), nullptr) == static_cast<float>(value));
            }
        }
    }
    if (size >= 2) {
        std::int16_t number = 0;
        std::memcpy(&number, data, sizeof number);
        check(toInt16(formatNumber(number)) == number);
    }
    return 0;
}
