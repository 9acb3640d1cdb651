#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

// The fuzz input as a lesson file: an in-memory file, reached by a path as
// the readers need, rewritten for every input.
class LessonFile {
public:
    LessonFile() : fd_(memfd_create("lesson.txt", 0)) {
        if (fd_ < 0) {
            std::abort();
        }
    }
    ~LessonFile() { ::close(fd_); }

    std::string write(std::string_view bytes) {
        if (::ftruncate(fd_, 0) != 0 ||
            ::pwrite(fd_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
            std::abort();
        }
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_;
};
