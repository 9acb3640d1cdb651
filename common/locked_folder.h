#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::common {

// A folder whose files are being replaced, open and locked for as long as
// this lives, so that two of the programs never replace or tidy the same
// files at once. Every operation goes through the folder's descriptor and
// takes a file name, not a path, so the folder's own path may be of any
// length. Operations that fail give the errno, 0 on success.
class LockedFolder {
public:
    explicit LockedFolder(const std::string& path);
    ~LockedFolder();
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // 0 when the folder could be opened, else why not.
    int openErrno() const { return openErrno_; }

    // Makes the renames and removals so far survive a power cut. Some file
    // systems cannot flush a folder; the renames have happened all the same.
    void flush() const;

    bool exists(const std::string& name) const;
    bool isFolder(const std::string& name) const;
    // Removes a file; true when there was one to remove.
    bool remove(const std::string& name) const;
    int rename(const std::string& from, const std::string& to) const;

    // The mode of the file `name` replaces (the file a link points to), or
    // what the umask makes of a new file's.
    mode_t modeFor(const std::string& name) const;

    // Writes `bytes` as the new file `name` with `mode` and flushes it to
    // disk; a file of that name is removed first. On failure nothing of it
    // is left.
    int writeFlushed(const std::string& name, std::string_view bytes, mode_t mode) const;

    // The whole of a small regular file; std::nullopt for anything else.
    std::optional<std::string> readSmallFile(const std::string& name) const;

    std::vector<std::string> names() const;

private:
    int fd_ = -1;
    int openErrno_ = 0;
};

}  // namespace lorvane::common
