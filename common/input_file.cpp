#include "common/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <utility>

#include "common/error_text.h"

namespace lorvane::common {

namespace {

Failure refuse(const std::string& path, int errnoValue) {
    logSystemError(path, errnoValue);
    return Failure{describeSystemError(errnoValue)};
}

}  // namespace

Result<InputFile> InputFile::open(const std::string& path) {
    // O_NONBLOCK: opening a pipe for reading returns at once instead of
    // waiting for a writer; the file type is checked before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return refuse(path, errno);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int code = errno;
        ::close(fd);
        return refuse(path, code);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        std::cerr << path << ": not a regular file\n";
        return Failure{describeNotRegularFile(S_ISDIR(status.st_mode))};
    }
    return InputFile(fd, path, static_cast<std::size_t>(status.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), size_(other.size_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        size_ = other.size_;
    }
    return *this;
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Result<std::size_t> InputFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            return fail(errno);
        }
    }
}

Status InputFile::rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) {
        return fail(errno);
    }
    return {};
}

Failure InputFile::fail(int errnoValue) const {
    logSystemError(path_, errnoValue);
    return Failure{describeSystemError(errnoValue)};
}

}  // namespace lorvane::common
