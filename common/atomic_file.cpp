#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) {
        *error = what + ": " + std::strerror(errno);
    }
    return false;
}

// The mode a new file gets from the umask, or the mode of the file it replaces.
mode_t modeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

namespace {

// Writes `bytes` to a new temporary file beside `path`; returns its name, or
// "" after removing it again on failure.
std::string stageTemporaryFile(const std::string& path, std::string_view bytes,
                               std::string* error) {
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        fail(error, "cannot create a temporary file beside " + path);
        return {};
    }
    const std::string tempPath(name.data());
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, modeFor(path)) == 0 && ::fsync(fd) == 0;
    const int writeErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        errno = writeErrno;
        fail(error, "cannot write " + tempPath);
        ::unlink(tempPath.c_str());
        return {};
    }
    return tempPath;
}

bool renameIntoPlace(const std::string& tempPath, const std::string& path, std::string* error) {
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        fail(error, "cannot replace " + path);
        ::unlink(tempPath.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string tempPath = stageTemporaryFile(path, bytes, error);
    return !tempPath.empty() && renameIntoPlace(tempPath, path, error);
}

bool writeFilesAtomically(const std::vector<std::pair<std::string, std::string>>& pathsAndBytes,
                          std::string* error) {
    std::vector<std::string> staged;
    for (const auto& [path, bytes] : pathsAndBytes) {
        std::string tempPath = stageTemporaryFile(path, bytes, error);
        if (tempPath.empty()) {
            for (const std::string& done : staged) {
                ::unlink(done.c_str());
            }
            return false;
        }
        staged.push_back(std::move(tempPath));
    }
    bool ok = true;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        ok = renameIntoPlace(staged[i], pathsAndBytes[i].first, error) && ok;
    }
    return ok;
}
