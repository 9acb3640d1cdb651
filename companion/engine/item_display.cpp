#include "companion/engine/item_display.h"

#include <string>

#include "common/lesson_entry.h"
#include "common/text_file.h"

namespace lorvane::companion {

void showItem(common::LabelState& label, std::string_view item) {
    const common::LessonEntry entry = common::splitEntry(common::trimSpaces(item));
    label.tag = std::string(common::trimSpaces(entry.english));
    label.caption = entry.meaning;
}

}  // namespace lorvane::companion
