#include "companion/engine/lesson_read_ahead.h"

#include "common/paths.h"
#include "common/read_ahead.h"
#include "companion/engine/companion_settings.h"

namespace lorvane::companion {

std::optional<ReadLesson> readLessonAhead(const std::string& programFolder) {
    const std::optional<std::string> lesson =
        lessonToReopen(settingsFilesIn(common::lessonFolder(programFolder)));
    if (!lesson) {
        return std::nullopt;
    }
    return readLesson(*lesson);
}

std::future<std::optional<ReadLesson>> startReadingLessonAhead(std::string programFolder) {
    return common::startReadingAhead(
        [folder = std::move(programFolder)] { return readLessonAhead(folder); });
}

}  // namespace lorvane::companion
