#pragma once

#include <future>
#include <optional>
#include <string>

#include "trainer/engine/progress_files.h"

namespace lorvane::trainer {

// The progress of the lesson the settings will reopen, read ahead on a
// thread of its own while the program connects to the display: with 32767
// entries the files take some ten milliseconds to read, which the start then
// no longer waits for. The read is the one the start would make a moment
// later, of the files a save left (see readProgress).
struct ProgressReadAhead {
    std::string baseName;  // of the files read
    ProgressRead read;
};

// Reads the settings in `programFolder` and the progress of the lesson they
// name; nothing when they name none, or it has no progress file names.
// Throws what reading them throws.
std::optional<ProgressReadAhead> readProgressAhead(const std::string& programFolder);

// Starts readProgressAhead on a thread of its own; an exception gives
// nothing.
[[nodiscard]] std::future<std::optional<ProgressReadAhead>> startReadingProgressAhead(
    std::string programFolder);

}  // namespace lorvane::trainer
