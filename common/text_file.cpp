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

// Files this system writes: read piece by piece, each line decoded as GBK.
Status forEachGbkLine(const std::string& path,
                      const std::function<bool(std::string line)>& onLine) {
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
        return onLine(gbk::decode(line.bytes));
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
        if (!onLine(utf8 ? std::string(line) : gbk::decode(line))) {
            break;
        }
    }
    return {};
}

Result<std::vector<std::string>> readLines(const std::string& path, Decoding decoding) {
    std::vector<std::string> lines;
    // Room for the lines a file of this size can hold at most, so that the
    // list never moves while it grows: room not filled is never touched.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        lines.reserve(std::min<std::size_t>(static_cast<std::size_t>(status.st_size) / 2 + 1,
                                            kMaxReservedLines));
    }
    const Status read = forEachLine(path, decoding, [&lines](std::string line) {
        lines.push_back(std::move(line));
        return true;
    });
    if (!read) {
        return Failure{read.message()};
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

}  // namespace lorvane::common
