#include "common/text_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "common/encoding_guess.h"
#include "common/error_text.h"
#include "common/gbk_codec.h"
#include "common/input_file.h"
#include "common/line_splitter.h"

namespace lorvane::common {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kReadChunk = 65536;
// More lines than a card box holds are read without room made for them.
constexpr std::size_t kMaxReservedLines = 65536;

std::vector<std::string_view> splitAt(std::string_view bytes, char end) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] != end) {
            continue;
        }
        lines.push_back(bytes.substr(start, pos - start));
        if (end == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

Failure overlongLine() {
    return Failure{"文件中有一行太长"};
}

// A line's bytes as the file has them, and whether they are UTF-8 already
// (else GBK).
using RawLineHandler = std::function<bool(std::string_view bytes, bool utf8)>;

// Files this system writes: read piece by piece, each line GBK.
Status forEachGbkLine(const std::string& path, const RawLineHandler& onLine) {
    Result<InputFile> file = InputFile::open(path);
    if (!file) {
        return Failure{file.message()};
    }
    LineSplitter splitter(LineSplitter::LineEnds::CrOrCrLf, kMaxLineBytes);
    bool overlong = false;
    const LineSplitter::LineHandler handle = [&](const LineSplitter::Line& line) {
        if (line.overlong) {
            overlong = true;
            return false;
        }
        return onLine(line.bytes, false);
    };
    char buffer[kReadChunk];
    for (;;) {
        const Result<std::size_t> got = file.value().read(buffer, sizeof buffer);
        if (!got) {
            return Failure{got.message()};
        }
        if (got.value() == 0 || !splitter.feed(std::string_view(buffer, got.value()), handle)) {
            break;
        }
    }
    splitter.finish(handle);
    if (overlong) {
        return overlongLine();
    }
    return {};
}

Status forEachRawLine(const std::string& path, Decoding decoding, const RawLineHandler& onLine) {
    if (decoding == Decoding::Gbk) {
        return forEachGbkLine(path, onLine);
    }
    // A learner's file is judged as a whole before its first line is used.
    const Result<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        return Failure{bytes.message()};
    }
    const bool utf8 = looksLikeUtf8(bytes.value());
    std::string_view text = bytes.value();
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    for (const std::string_view line : splitLines(text, Decoding::Detect)) {
        if (line.size() > kMaxLineBytes) {
            return overlongLine();
        }
        if (!onLine(line, utf8)) {
            break;
        }
    }
    return {};
}

// The size of the file at `path` when it is a regular file, else 0: a guess
// of the room its lines will need (the read itself checks what it reads).
std::size_t sizeOfFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return static_cast<std::size_t>(status.st_size);
    }
    return 0;
}

// Room for the lines a file of `size` bytes can hold at most, so that a list
// never moves while it grows: room not filled is never touched.
std::size_t mostLinesIn(std::size_t size) {
    return std::min<std::size_t>(std::min(size, kMaxFileBytes) / 2 + 1, kMaxReservedLines);
}

template <typename Lines>
std::string encodeAll(const Lines& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += gbk::encode(line);
        out += "\r\n";
    }
    return out;
}

}  // namespace

Result<std::string> readFileBytes(const std::string& path, std::size_t maxBytes) {
    Result<InputFile> file = InputFile::open(path);
    if (!file) {
        return Failure{file.message()};
    }
    std::string bytes;
    bytes.reserve(std::min(file.value().size(), maxBytes));
    char buffer[kReadChunk];
    for (;;) {
        const Result<std::size_t> got = file.value().read(buffer, sizeof buffer);
        if (!got) {
            return Failure{got.message()};
        }
        if (got.value() == 0) {
            return bytes;
        }
        if (bytes.size() + got.value() > maxBytes) {
            return Failure{describeSystemError(EFBIG)};
        }
        bytes.append(buffer, got.value());
    }
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    return splitAt(bytes, '\r');
}

bool endsLinesAtLf(std::string_view bytes) {
    return bytes.find('\r') == std::string_view::npos;
}

std::vector<std::string_view> splitLines(std::string_view bytes, Decoding decoding) {
    const bool atLf = decoding == Decoding::Detect && endsLinesAtLf(bytes);
    return splitAt(bytes, atLf ? '\n' : '\r');
}

std::string decodeFileText(std::string_view bytes, Decoding decoding) {
    if (decoding == Decoding::Gbk) {
        return gbk::decode(bytes);
    }
    const bool utf8 = looksLikeUtf8(bytes);
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return utf8 ? std::string(bytes) : gbk::decode(bytes);
}

Status forEachLine(const std::string& path, Decoding decoding,
                   const std::function<bool(std::string line)>& onLine) {
    return forEachRawLine(path, decoding, [&onLine](std::string_view bytes, bool utf8) {
        return onLine(utf8 ? std::string(bytes) : gbk::decode(bytes));
    });
}

Result<std::vector<std::string>> readLines(const std::string& path, Decoding decoding) {
    std::vector<std::string> lines;
    lines.reserve(mostLinesIn(sizeOfFile(path)));
    const Status read = forEachLine(path, decoding, [&lines](std::string line) {
        lines.push_back(std::move(line));
        return true;
    });
    if (!read) {
        return Failure{read.message()};
    }
    return lines;
}

Result<TextLines> readTextLines(const std::string& path, Decoding decoding) {
    const std::size_t size = std::min(sizeOfFile(path), kMaxFileBytes);
    // Most of a GBK text fits in one and a half times its bytes (a
    // character's two bytes become at most three).
    TextLinesBuilder lines(size + size / 2, mostLinesIn(size));
    // As much text as the largest file read whole could decode to (three
    // bytes for each byte); the offsets fit in 32 bits.
    constexpr std::size_t kMaxText = 3 * kMaxFileBytes;
    bool tooLarge = false;
    const Status read = forEachRawLine(path, decoding, [&](std::string_view bytes, bool utf8) {
        if (utf8) {
            lines.add(bytes);
        } else {
            lines.addGbk(bytes);
        }
        tooLarge = lines.textSize() > kMaxText;
        return !tooLarge;
    });
    if (!read) {
        return Failure{read.message()};
    }
    if (tooLarge) {
        return Failure{describeSystemError(EFBIG)};
    }
    return std::move(lines).finish();
}

std::string encodeLines(const std::vector<std::string>& lines) {
    return encodeAll(lines);
}

std::string encodeLines(const std::vector<std::string_view>& lines) {
    return encodeAll(lines);
}

std::string_view trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace lorvane::common
