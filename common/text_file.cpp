#include "text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "gbk_codec.h"

std::optional<std::string> readFileBytes(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) {
            *error = std::strerror(errno);
        }
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (error) {
                *error = std::strerror(errno);
            }
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] != '\r') {
            continue;
        }
        lines.push_back(bytes.substr(start, pos - start));
        if (pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

std::string decodeFileText(std::string_view bytes, Decoding decoding) {
    if (decoding == Decoding::Detect && gbk::looksLikeUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    return gbk::decode(bytes);
}

bool forEachLine(const std::string& path, Decoding decoding,
                 const std::function<bool(std::string line)>& onLine, std::string* error) {
    const std::optional<std::string> bytes = readFileBytes(path, error);
    if (!bytes) {
        return false;
    }
    // CR and LF are never part of a GBK character, so decoding the whole file
    // first splits it exactly as splitting the bytes would.
    const std::string text = decodeFileText(*bytes, decoding);
    for (const std::string_view line : splitLines(text)) {
        if (!onLine(std::string(line))) {
            break;
        }
    }
    return true;
}

std::optional<std::vector<std::string>> readLines(const std::string& path, Decoding decoding,
                                                  std::string* error) {
    std::vector<std::string> lines;
    const bool ok = forEachLine(
        path, decoding,
        [&lines](std::string line) {
            lines.push_back(std::move(line));
            return true;
        },
        error);
    if (!ok) {
        return std::nullopt;
    }
    return lines;
}

std::string encodeLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += gbk::encode(line);
        out += "\r\n";
    }
    return out;
}

std::string_view trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
