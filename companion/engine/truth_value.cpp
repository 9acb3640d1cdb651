#include "companion/engine/truth_value.h"

#include "common/ascii_text.h"
#include "common/text_file.h"

namespace lorvane::companion {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// For "[+-] digits [. digits] [e [+-] digits]" (either digit run may be
// empty, not both): whether any digit of the mantissa is non-zero. The
// exponent cannot make a number zero or non-zero, so it is only checked.
std::optional<bool> decimalIsNonZero(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = 0;
    bool nonZero = false;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        if (isDigit(text[pos])) {
            ++digits;
            nonZero = nonZero || text[pos] != '0';
        } else if (text[pos] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        const std::size_t exponentStart = pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
        }
        if (pos == exponentStart) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return nonZero;
}

}  // namespace

std::optional<bool> parseTruthValue(std::string_view text) {
    text = common::trimSpaces(text);
    if (common::equalsIgnoringAsciiCase(text, "true")) {
        return true;
    }
    if (common::equalsIgnoringAsciiCase(text, "false")) {
        return false;
    }
    return decimalIsNonZero(text);
}

std::string formatTruthValue(bool value) {
    return value ? "True" : "False";
}

}  // namespace lorvane::companion
