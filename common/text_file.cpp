#include "common/text_file.h"

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

std::string overlongLineError() {
    return "文件中有一行太长";
}

// Files this system writes: read piece by piece, each line decoded as GBK.
bool forEachGbkLine(const std::string& path, const std::function<bool(std::string line)>& onLine,
                    std::string* error) {
    std::optional<InputFile> file = InputFile::open(path, error);
    if (!file) {
        return false;
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
        const std::optional<std::size_t> got = file->read(buffer, sizeof buffer, error);
        if (!got) {
            return false;
        }
        if (*got == 0 || !splitter.feed(std::string_view(buffer, *got), handle)) {
            break;
        }
    }
    splitter.finish(handle);
    if (overlong) {
        if (error) {
            *error = overlongLineError();
        }
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::string& path, std::string* error,
                                         std::size_t maxBytes) {
    std::optional<InputFile> file = InputFile::open(path, error);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(std::min(file->size(), maxBytes));
    char buffer[kReadChunk];
    for (;;) {
        const std::optional<std::size_t> got = file->read(buffer, sizeof buffer, error);
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            return bytes;
        }
        if (bytes.size() + *got > maxBytes) {
            if (error) {
                *error = describeSystemError(EFBIG);
            }
            return std::nullopt;
        }
        bytes.append(buffer, *got);
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

bool forEachLine(const std::string& path, Decoding decoding,
                 const std::function<bool(std::string line)>& onLine, std::string* error) {
    if (decoding == Decoding::Gbk) {
        return forEachGbkLine(path, onLine, error);
    }
    // A learner's file is judged as a whole before its first line is used.
    const std::optional<std::string> bytes = readFileBytes(path, error);
    if (!bytes) {
        return false;
    }
    const bool utf8 = looksLikeUtf8(*bytes);
    std::string_view text = *bytes;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    for (const std::string_view line : splitLines(text, Decoding::Detect)) {
        if (line.size() > kMaxLineBytes) {
            if (error) {
                *error = overlongLineError();
            }
            return false;
        }
        if (!onLine(utf8 ? std::string(line) : gbk::decode(line))) {
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

}  // namespace lorvane::common
