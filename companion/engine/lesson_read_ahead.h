#pragma once

#include <future>
#include <optional>
#include <string>

#include "companion/engine/lesson_cursor.h"

namespace lorvane::companion {

// The lesson the settings will reopen, read ahead on a thread of its own
// while the program connects to the display: 32767 lines take some ten
// milliseconds to read into fresh memory, which the start then no longer
// waits for. The start-up display takes the read when it loads that same
// file (see CompanionEngine::offerLessonReadAhead).

// Reads the settings in `programFolder`'s lesson folder and the lesson they
// reopen; nothing when they reopen none. Throws what reading them throws.
std::optional<ReadLesson> readLessonAhead(const std::string& programFolder);

// Starts readLessonAhead on a thread of its own; an exception gives
// nothing.
[[nodiscard]] std::future<std::optional<ReadLesson>> startReadingLessonAhead(
    std::string programFolder);

}  // namespace lorvane::companion
