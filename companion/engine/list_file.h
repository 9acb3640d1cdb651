#pragma once

#include <string>

namespace lorvane::companion {

class LessonList;

// The lesson list file `listgirl.dat`: one line per lesson, "T" (ticked) or
// "F" and then the path, each line ended by CR LF, and one more CR LF after
// the last; GBK, read as GBK always. Paths keep their bytes (stored_path.h).

// Replaces the list with the lessons in `path`. Lines that hold nothing but
// spaces are skipped; an entry is ticked exactly when its line starts with
// an upper-case "T", and its path is the rest of the line as it stands.
// Returns false, with the list left empty, when the file can't be read.
bool readListFile(const std::string& path, LessonList& lessons);

// The bytes of the list file for `lessons`.
std::string encodeListFile(const LessonList& lessons);

}  // namespace lorvane::companion
