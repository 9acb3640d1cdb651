#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The two ways a lesson text is read.

// The trainer's reader: the trimmed, non-blank lines in file order.
// std::nullopt when the file can't be opened or read (`error` says why).
std::optional<std::vector<std::string>> readLessonEntries(const std::string& path,
                                                          std::string* error = nullptr);

// The companion's reader: every line becomes an item, blank lines included
// (they show nothing); each line is trimmed and then loses every LF in it.
// `afterLine` runs after each line so that the window stays responsive while
// a long lesson loads; it returns false to abandon the rest of the file.
// Returns false when the file can't be opened or read.
bool readCompanionLesson(const std::string& path,
                         const std::function<bool(std::string item)>& afterLine,
                         std::string* error = nullptr);
