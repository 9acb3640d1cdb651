#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// Where the programs find their files. Every file is addressed from the
// program folder, the folder of the running executable; nothing is taken
// from the working directory or the command line. The one exception is the
// lesson folder of a program folder the programs may not write, which is
// then the learner's own under $XDG_DATA_HOME (lesson_folder_choice.h).

// Name of the lesson folder beneath the program folder.
inline constexpr std::string_view kLessonFolderName = "单词课文";

// The folder of the running executable, without a trailing "/".
std::string programFolder();

// The lesson folder the programs read and write for `programFolder`, with
// a trailing "/": programLessonFolder(programFolder) as a rule, the
// learner's own copy when that one is read-only (chooseLessonFolder). The
// choice is made, and the copy filled, at the first call for a program
// folder and then kept for the whole run, so that a run never splits its
// files between two folders.
std::string lessonFolder(std::string_view programFolder);

// programFolder + "/单词课文/" (with the trailing separator).
std::string programLessonFolder(std::string_view programFolder);

// The part of `path` after its last "/"; the whole text when it has none.
std::string getfilename(std::string_view path);

// The lesson path up to its first lower-case ".txt", from which the names of
// the progress files are made; std::nullopt when there is no ".txt".
std::optional<std::string> lessonBaseName(std::string_view lessonPath);

}  // namespace lorvane::common
