#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes` so that it is either the old file
// or the new one, never half of either: the bytes go to a temporary file in
// the same folder, are flushed to disk, and the temporary file is renamed
// over the target. A missing folder is not created. On failure the old file
// is untouched, the temporary file is removed, and `error` says why.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);
