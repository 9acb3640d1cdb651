#include "common/lesson_entry.h"

#include "common/text_file.h"

namespace lorvane::common {

LessonEntry splitEntry(std::string_view text) {
    LessonEntry entry;
    entry.text = std::string(text);
    const std::size_t separator = text.find("  ");
    if (separator == std::string_view::npos) {
        entry.meaning = std::string(trimSpaces(text));
        return entry;
    }
    entry.hasSeparator = true;
    entry.english = std::string(text.substr(0, separator));
    // Three or more spaces: the surplus belongs to the meaning and is trimmed.
    entry.meaning = std::string(trimSpaces(text.substr(separator + 1)));
    return entry;
}

}  // namespace lorvane::common
