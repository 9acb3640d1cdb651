#include "lesson_reader.h"

#include <algorithm>

#include "text_file.h"

std::optional<std::vector<std::string>> readLessonEntries(const std::string& path,
                                                          std::string* error) {
    std::vector<std::string> entries;
    const bool ok = forEachLine(
        path, Decoding::Detect,
        [&entries](std::string line) {
            const std::string_view trimmed = trimSpaces(line);
            if (!trimmed.empty()) {
                entries.emplace_back(trimmed);
            }
            return true;
        },
        error);
    if (!ok) {
        return std::nullopt;
    }
    return entries;
}

bool readCompanionLesson(const std::string& path,
                         const std::function<bool(std::string item)>& afterLine,
                         std::string* error) {
    return forEachLine(
        path, Decoding::Detect,
        [&afterLine](std::string line) {
            std::string item(trimSpaces(line));
            std::erase(item, '\n');
            return afterLine(std::move(item));
        },
        error);
}
