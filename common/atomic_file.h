#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Replaces the file at `path` with `bytes` so that it is either the old file
// or the new one, never half of either: the bytes go to a temporary file in
// the same folder, are flushed to disk, and the temporary file is renamed
// over the target. A missing folder is not created. On failure the old file
// is untouched, the temporary file is removed, and `error` says why.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// Replaces several files together: every new file is written and flushed
// before the first is renamed into place, so a full disk or a failed write
// leaves all the old files as they were. (A crash during the renames
// themselves, which take no time, can still leave a mixture.)
bool writeFilesAtomically(const std::vector<std::pair<std::string, std::string>>& pathsAndBytes,
                          std::string* error = nullptr);
