#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace lorvane::common {

// A file opened for reading the way every file the programs read must be:
// opening never blocks (a named pipe in place of a lesson would otherwise
// wait for a writer forever, with the window frozen), and anything but a
// regular file, such as a pipe, a device (a link to /dev/zero never ends) or
// a folder, is refused with a message for the learner.
class InputFile {
public:
    // std::nullopt when the path can't be opened or is no regular file;
    // `error` then says why in Chinese, and the system's text goes to stderr.
    static std::optional<InputFile> open(const std::string& path, std::string* error);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // The size the file had when it was opened.
    std::size_t size() const { return size_; }

    // Reads the next bytes into `buffer`: the count read, 0 at the end, or
    // std::nullopt on a read error (with `error` set as for open).
    std::optional<std::size_t> read(char* buffer, std::size_t capacity, std::string* error);

    // Starts reading from the beginning again.
    bool rewind(std::string* error);

private:
    InputFile(int fd, std::string path, std::size_t size)
        : fd_(fd), path_(std::move(path)), size_(size) {}

    bool fail(int errnoValue, std::string* error) const;

    int fd_ = -1;
    std::string path_;
    std::size_t size_ = 0;
};

}  // namespace lorvane::common
