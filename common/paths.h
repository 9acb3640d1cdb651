#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::common {

// Where the programs find their files. Every file is addressed from the
// program folder, the folder of the running executable; nothing is taken
// from the working directory, the command line or the environment.

// Name of the lesson folder beneath the program folder.
inline constexpr std::string_view kLessonFolderName = "单词课文";

// The folder of the running executable, without a trailing "/".
std::string programFolder();

// programFolder + "/单词课文/" (with the trailing separator).
std::string lessonFolder(std::string_view programFolder);

// The part of `path` after its last "/"; the whole text when it has none.
std::string getfilename(std::string_view path);

// The lesson path up to its first lower-case ".txt", from which the names of
// the progress files are made; std::nullopt when there is no ".txt".
std::optional<std::string> lessonBaseName(std::string_view lessonPath);

}  // namespace lorvane::common
