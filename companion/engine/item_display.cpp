#include "companion/engine/item_display.h"

#include <string>

#include "common/lesson_entry.h"
#include "common/text_file.h"

void showItem(LabelState& label, std::string_view item) {
    const LessonEntry entry = splitEntry(trimSpaces(item));
    label.tag = std::string(trimSpaces(entry.english));
    label.caption = entry.meaning;
}
