#include "trainer/engine/spelling_hint.h"

#include "common/utf8_text.h"

namespace lorvane::trainer {

std::string spellingHint(std::string_view expected, std::string_view typed) {
    std::string hint;
    const std::size_t expectedLength = common::utf8::length(expected);
    for (std::size_t k = 0; k < expectedLength; ++k) {
        const std::string_view wanted = common::utf8::mid(expected, k, 1);
        // utf8::mid gives "" past the end of the typed text.
        hint += common::utf8::mid(typed, k, 1) == wanted ? wanted : std::string_view("*");
    }
    return hint;
}

}  // namespace lorvane::trainer
