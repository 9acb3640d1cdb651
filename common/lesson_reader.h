#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/result.h"
#include "common/text_lines.h"

namespace lorvane::common {

// The two ways a lesson text is read. Both take GBK and UTF-8 lessons (see
// looksLikeUtf8), split a lesson without any CR (saved by a Linux editor) at
// LF, and drop a byte-order mark.
//
// Both read at most kMaxLessonLines lines, since list indices are 16-bit:
// past them, or once the kept lines pass kMaxLessonBytes or a line passes
// kMaxLineBytes, the rest of the file is only counted, never kept, so that a
// huge file costs little memory.

inline constexpr std::size_t kMaxLessonLines = 32767;
inline constexpr std::size_t kMaxLessonBytes = std::size_t{16} << 20;

// The lines kept from a lesson, in file order, and how many lines after
// them were left out (lines the reader would have kept, had there been room).
struct LessonLines {
    TextLines entries;
    std::size_t leftOut = 0;
};

// The trainer's reader: the trimmed, non-blank lines in file order.
// A Failure when the file can't be opened or read.
Result<LessonLines> readLessonEntries(const std::string& path);

// The companion's reader: every line becomes an item, blank lines included
// (they show nothing); each line is trimmed and then loses every LF in it.
// `afterLine` runs after each line so that the window stays responsive while
// a long lesson loads; it returns false to abandon the rest of the file.
// `beforeLines`, when given, is told first how many items follow and how
// many bytes they take at most, so that room for them can be made at once.
// Returns the number of lines past the limits, left out; a Failure when the
// file can't be opened or read.
Result<std::size_t> readCompanionLesson(
    const std::string& path, const std::function<bool(std::string item)>& afterLine,
    const std::function<void(std::size_t items, std::size_t bytes)>& beforeLines = {});

}  // namespace lorvane::common
