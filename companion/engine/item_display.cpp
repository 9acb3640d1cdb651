#include "companion/engine/item_display.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "common/lesson_entry.h"
#include "common/text_file.h"

namespace lorvane::companion {

void ItemDisplay::show(std::string_view item) {
    const common::LessonEntry entry = common::splitEntry(common::trimSpaces(item));
    english_ = std::string(common::trimSpaces(entry.english));
    meaning_ = entry.meaning;
}

void ItemDisplay::showMessage(std::string message) {
    meaning_ = std::move(message);
    english_.clear();
}

bool ItemDisplay::answerIsRight() const {
    return common::trimSpaces(answer_) == english_;
}

bool ItemDisplay::expectsPlainAscii() const {
    return common::isPlainAscii(english_);
}

}  // namespace lorvane::companion
