#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// Numbers as the settings files store them: decimal text, read back into the
// 16-bit (and, for colours, 32-bit) integers the windows keep.

// Decimal text (optional sign, digits, optional fraction and exponent,
// surrounding spaces allowed) rounded to the nearest whole number, ties to
// even; std::nullopt for anything else or outside -32768 … 32767.
std::optional<std::int16_t> toInt16(std::string_view text);

// The same for -2147483648 … 2147483647.
std::optional<std::int32_t> toInt32(std::string_view text);

// Decimal text of a number as the settings files store it: whole values
// without a decimal point, otherwise the shortest text that reads back as
// the same single-precision value ("1234.5", "-3").
std::string formatNumber(double value);

}  // namespace lorvane::common
