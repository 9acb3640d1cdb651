#pragma once

#include <string>
#include <vector>

#include "companion/engine/lesson_items.h"

// A lesson's items as strings of their own, for comparing in tests.
inline std::vector<std::string> itemsAsStrings(const lorvane::companion::LessonItems& items) {
    std::vector<std::string> strings;
    for (std::size_t i = 0; i < items.size(); ++i) {
        strings.emplace_back(items[i]);
    }
    return strings;
}
