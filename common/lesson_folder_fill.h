#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// The learner's own copy of the lessons, for a program folder whose lesson
// folder the programs may not write (an installed copy, a read-only folder).
// It lives in the learner's data folder ($XDG_DATA_HOME/lorvane):
//   单词课文/       the lesson folder both programs then use, with the
//                  progress and settings files they write
//   shipped-files  the names (relative to the lesson folder) of the shipped
//                  files this learner has been given, so that each is copied
//                  once: a lesson the learner deleted stays deleted, and a
//                  later release adds only the lessons that are new to it
//
// Lorvane's settings (dan.dat) and Miselle's lesson list (listgirl.dat),
// which name lessons by their paths, name the copies (settings_relocation.h).
//
// Nothing of the learner's is ever replaced: a file is copied only under a
// name that is free, and a copy is put in place in one step that fails when
// the name was taken meanwhile (by a save of the other program, say), so a
// kill or a full disk never leaves half a lesson under its real name.
// Hidden files of the shipped folder (leftovers of interrupted saves) are not
// copied; neither is anything but a regular file (a pipe, a device), nor is a
// folder reached through a link entered, so a loop of links ends nothing.

inline constexpr std::string_view kShippedRecordName = "shipped-files";

// Makes `dataFolder` and its lesson folder when missing (private to the
// learner, as the base directory rules ask), then copies into the lesson
// folder every file of `source` and its subfolders not given before. Two
// programs filling at once take turns. Returns the lesson folder, without a
// trailing "/", or std::nullopt when it can't be made; a file that can't be
// copied is named on stderr, left out and tried again at the next fill.
std::optional<std::string> fillLessonFolder(const std::string& source,
                                            const std::string& dataFolder);

}  // namespace lorvane::common
