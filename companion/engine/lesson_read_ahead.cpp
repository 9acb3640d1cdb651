#include "companion/engine/lesson_read_ahead.h"

#include <exception>

#include "common/paths.h"
#include "companion/engine/companion_settings.h"

namespace lorvane::companion {

std::optional<ReadLesson> readLessonAhead(const std::string& programFolder) {
    try {
        const std::optional<std::string> lesson =
            lessonToReopen(settingsFilesIn(common::lessonFolder(programFolder)));
        if (!lesson) {
            return std::nullopt;
        }
        return readLesson(*lesson);
    } catch (const std::exception&) {
        // Whatever went wrong (no GBK converter, no memory) happens again
        // when the start reads the files itself, and is told there.
        return std::nullopt;
    }
}

std::future<std::optional<ReadLesson>> startReadingLessonAhead(std::string programFolder) {
    return std::async(std::launch::async,
                      [folder = std::move(programFolder)] { return readLessonAhead(folder); });
}

}  // namespace lorvane::companion
