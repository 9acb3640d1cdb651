#include "common/locked_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/write_all.h"

namespace lorvane::common {

LockedFolder::LockedFolder(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) {
        openErrno_ = errno;
        return;
    }
    // A file system without locks still gets its files replaced; the lock
    // only keeps two of our own programs apart.
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

LockedFolder::~LockedFolder() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the lock
    }
}

void LockedFolder::flush() const {
    ::fsync(fd_);
}

bool LockedFolder::exists(const std::string& name) const {
    struct stat status {};
    return ::fstatat(fd_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

bool LockedFolder::isFolder(const std::string& name) const {
    struct stat status {};
    return ::fstatat(fd_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(status.st_mode);
}

bool LockedFolder::remove(const std::string& name) const {
    return ::unlinkat(fd_, name.c_str(), 0) == 0;
}

int LockedFolder::rename(const std::string& from, const std::string& to) const {
    return ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0 ? 0 : errno;
}

mode_t LockedFolder::modeFor(const std::string& name) const {
    struct stat existing {};
    if (::fstatat(fd_, name.c_str(), &existing, 0) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int LockedFolder::writeFlushed(const std::string& name, std::string_view bytes, mode_t mode) const {
    remove(name);
    const int fd = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        remove(name);
    }
    return error;
}

std::optional<std::string> LockedFolder::readSmallFile(const std::string& name) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    constexpr off_t kLimit = off_t{64} * 1024;
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= kLimit) {
        std::string buffer(static_cast<std::size_t>(status.st_size), '\0');
        if (::read(fd, buffer.data(), buffer.size()) == status.st_size) {
            bytes = std::move(buffer);
        }
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string> LockedFolder::names() const {
    std::vector<std::string> names;
    const int fd = ::dup(fd_);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) {
            ::close(fd);
        }
        return names;
    }
    ::rewinddir(dir);  // the copy shares its place in the listing
    while (const dirent* entry = ::readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace lorvane::common
