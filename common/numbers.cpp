#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/text_file.h"

namespace lorvane::common {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Accepts exactly: [+-] digits [. digits] [e [+-] digits], or [+-] . digits [e …].
// from_chars alone would also take "inf", "nan" and hexadecimal forms.
bool isDecimal(std::string_view text) {
    std::size_t pos = 0;
    auto digits = [&] {
        const std::size_t start = pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
        }
        return pos - start;
    };
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t mantissa = digits();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return pos == text.size();
}

std::optional<double> roundedDecimal(std::string_view text) {
    text = trimSpaces(text);
    if (!isDecimal(text)) {
        return std::nullopt;
    }
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    // std::nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(negative ? -value : value);
}

template <typename Int>
std::optional<Int> toInt(std::string_view text) {
    const std::optional<double> value = roundedDecimal(text);
    if (!value || *value < std::numeric_limits<Int>::min() ||
        *value > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(*value);
}

}  // namespace

std::optional<std::int16_t> toInt16(std::string_view text) {
    return toInt<std::int16_t>(text);
}

std::optional<std::int32_t> toInt32(std::string_view text) {
    return toInt<std::int32_t>(text);
}

std::string formatNumber(double value) {
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    return error == std::errc() ? std::string(buffer, end) : std::to_string(value);
}

}  // namespace lorvane::common
