// Truth values as the companion's settings hold them: what is written reads
// back, surrounding spaces and letter case don't matter, and a number reads
// as true exactly when it is not zero.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "companion/engine/truth_value.h"

using namespace lorvane::common;
using namespace lorvane::companion;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = parseTruthValue(text);
    check(parseTruthValue("  " + std::string(text) + " ") == value);
    if (value) {
        check(parseTruthValue(formatTruthValue(*value)) == value);
    }
    // A number small enough to round: non-zero after rounding means non-zero.
    if (const auto number = toInt32(text); number && *number != 0) {
        check(value == true);
    }
    check(parseTruthValue(formatTruthValue(true)) == true);
    check(parseTruthValue(formatTruthValue(false)) == false);
    return 0;
}
