#pragma once

#include <functional>
#include <string>

namespace lorvane::trainer {

// Directory listings for the lesson chooser. The names come sorted by name,
// ignoring letter case, as learners expect (the file system's own order is
// arbitrary here); hidden entries (names starting with ".") are left out.
// `onEntry` runs for each name in order and returns false to stop.

// Lesson texts in `folder`: ordinary files whose name ends in ".txt" in any
// letter case ("UNIT1.TXT" is listed too).
void listLessonTexts(const std::string& folder,
                     const std::function<bool(const std::string& name)>& onEntry);

// Folders and ordinary files in `folder` (for the folder level; the caller
// decides which of them to show).
void listFolderEntries(const std::string& folder,
                       const std::function<bool(const std::string& name)>& onEntry);

// True when `path` names an existing entry, folder or file.
bool entryExists(const std::string& path);

}  // namespace lorvane::trainer
