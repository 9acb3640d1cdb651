#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "common/result.h"

namespace lorvane::common {

// A file opened for reading the way every file the programs read must be:
// opening never blocks (a named pipe in place of a lesson would otherwise
// wait for a writer forever, with the window frozen), and anything but a
// regular file, such as a pipe, a device (a link to /dev/zero never ends) or
// a folder, is refused with a message for the learner.
class InputFile {
public:
    // A Failure when the path can't be opened or is no regular file: it says
    // why in Chinese, and the system's text goes to stderr.
    static Result<InputFile> open(const std::string& path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // The size the file had when it was opened.
    std::size_t size() const { return size_; }

    // Reads the next bytes into `buffer`: the count read, 0 at the end, or a
    // Failure as for open.
    Result<std::size_t> read(char* buffer, std::size_t capacity);

    // Starts reading from the beginning again.
    Status rewind();

private:
    InputFile(int fd, std::string path, std::size_t size)
        : fd_(fd), path_(std::move(path)), size_(size) {}

    Failure fail(int errnoValue) const;

    int fd_ = -1;
    std::string path_;
    std::size_t size_ = 0;
};

}  // namespace lorvane::common
