#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// The settings files that name lessons by their full paths, copied from one
// lesson folder into another (lesson_folder_fill.h): made to name the same
// lessons in the new folder, or Lorvane would reopen its last lesson in the
// folder it can't write, and its progress would never be saved.
// `from` and `to` are the two lesson folders, each with a trailing "/".
// Paths are read and stored as the programs do (stored_path.h); a lesson
// outside `from` keeps its path.

// Lorvane's settings dan.dat with its lesson moved; std::nullopt when the
// file names no lesson in `from` (it is copied as it is then).
std::optional<std::string> relocateTrainerSettings(std::string_view bytes, std::string_view from,
                                                   std::string_view to);

// Miselle's lesson list listgirl.dat with every lesson in `from` moved, each
// keeping its tick; std::nullopt when no lesson is in `from`.
std::optional<std::string> relocateLessonList(std::string_view bytes, std::string_view from,
                                              std::string_view to);

}  // namespace lorvane::common
