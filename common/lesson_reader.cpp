#include "common/lesson_reader.h"

#include <algorithm>
#include <utility>

#include "common/encoding_guess.h"
#include "common/gbk_codec.h"
#include "common/input_file.h"
#include "common/line_splitter.h"
#include "common/text_file.h"

namespace lorvane::common {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kReadChunk = 65536;

// How a reader treats each line.
enum class Reader { Trainer, Companion };

// The kept lines as raw bytes, one after another in `bytes` (each followed
// by LF, which no kept line holds any more), before they are decoded.
struct RawLesson {
    std::string bytes;
    std::vector<std::pair<std::size_t, std::size_t>> lines;  // offset, length
    std::size_t leftOut = 0;
    bool utf8 = false;
};

// The first pass: whether the file holds a CR anywhere. A lesson with CR LF
// answers within its first piece; only a file without CR is read through.
Result<bool> containsCr(InputFile& file) {
    char buffer[kReadChunk];
    for (;;) {
        const Result<std::size_t> got = file.read(buffer, sizeof buffer);
        if (!got) {
            return Failure{got.message()};
        }
        if (got.value() == 0) {
            return false;
        }
        if (std::string_view(buffer, got.value()).find('\r') != std::string_view::npos) {
            return true;
        }
    }
}

Result<RawLesson> readRawLesson(const std::string& path, Reader reader) {
    Result<InputFile> opened = InputFile::open(path);
    if (!opened) {
        return Failure{opened.message()};
    }
    InputFile& file = opened.value();
    const Result<bool> hasCr = containsCr(file);
    if (!hasCr) {
        return Failure{hasCr.message()};
    }
    if (const Status rewound = file.rewind(); !rewound) {
        return Failure{rewound.message()};
    }

    RawLesson lesson;
    // Room for the whole file at once: the text never moves while it grows
    // (room not filled is never touched).
    lesson.bytes.reserve(std::min(file.size(), kMaxLessonBytes + kMaxLessonLines) +
                         kByteOrderMark.size() + 1);
    lesson.lines.reserve(std::min(file.size() / 2 + 1, kMaxLessonLines));
    bool full = false;
    std::size_t textBytes = 0;
    const LineSplitter::LineHandler keep = [&](const LineSplitter::Line& line) {
        if (reader == Reader::Trainer && line.blank) {
            return true;
        }
        const std::string_view trimmed = trimSpaces(line.bytes);
        full = full || line.overlong || lesson.lines.size() >= kMaxLessonLines ||
               textBytes + trimmed.size() > kMaxLessonBytes;
        if (full) {
            ++lesson.leftOut;
            return true;
        }
        const std::size_t offset = lesson.bytes.size();
        lesson.bytes.append(trimmed);
        if (reader == Reader::Companion) {
            lesson.bytes.erase(std::remove(lesson.bytes.begin() + static_cast<long>(offset),
                                           lesson.bytes.end(), '\n'),
                               lesson.bytes.end());
        }
        lesson.lines.emplace_back(offset, lesson.bytes.size() - offset);
        textBytes += lesson.bytes.size() - offset;
        lesson.bytes += '\n';
        return true;
    };

    LineSplitter splitter(
        hasCr.value() ? LineSplitter::LineEnds::CrOrCrLf : LineSplitter::LineEnds::Lf,
        kMaxLineBytes);
    char buffer[kReadChunk];
    bool atStart = true;
    for (;;) {
        std::size_t filled = 0;
        // The first piece holds at least the three bytes a byte-order mark
        // needs, unless the file is shorter.
        do {
            const Result<std::size_t> got = file.read(buffer + filled, sizeof buffer - filled);
            if (!got) {
                return Failure{got.message()};
            }
            if (got.value() == 0) {
                break;
            }
            filled += got.value();
        } while (atStart && filled < kByteOrderMark.size());
        if (filled == 0) {
            break;
        }
        std::string_view piece(buffer, filled);
        if (atStart && piece.starts_with(kByteOrderMark)) {
            // No part of any line; kept in front of the text for the guess.
            lesson.bytes.append(kByteOrderMark);
            piece.remove_prefix(kByteOrderMark.size());
        }
        atStart = false;
        splitter.feed(piece, keep);
    }
    splitter.finish(keep);
    lesson.utf8 = looksLikeUtf8(lesson.bytes);
    return lesson;
}

std::string decodedLine(const RawLesson& lesson, std::size_t index) {
    const auto [offset, length] = lesson.lines[index];
    const std::string_view bytes = std::string_view(lesson.bytes).substr(offset, length);
    return lesson.utf8 ? std::string(bytes) : gbk::decode(bytes);
}

}  // namespace

Result<LessonLines> readLessonEntries(const std::string& path) {
    const Result<RawLesson> read = readRawLesson(path, Reader::Trainer);
    if (!read) {
        return Failure{read.message()};
    }
    const RawLesson& raw = read.value();
    // Decoded into one block of text (see TextLines).
    TextLinesBuilder entries(raw.utf8 ? raw.bytes.size() : raw.bytes.size() + raw.bytes.size() / 2,
                             raw.lines.size());
    for (const auto& [offset, length] : raw.lines) {
        const std::string_view bytes = std::string_view(raw.bytes).substr(offset, length);
        if (raw.utf8) {
            entries.add(bytes);
        } else {
            entries.addGbk(bytes);
        }
    }
    return LessonLines{std::move(entries).finish(), raw.leftOut};
}

Result<std::size_t> readCompanionLesson(
    const std::string& path, const std::function<bool(std::string item)>& afterLine,
    const std::function<void(std::size_t items, std::size_t bytes)>& beforeLines) {
    const Result<RawLesson> read = readRawLesson(path, Reader::Companion);
    if (!read) {
        return Failure{read.message()};
    }
    const RawLesson& raw = read.value();
    if (beforeLines) {
        // GBK's two-byte characters take three in UTF-8.
        beforeLines(raw.lines.size(), raw.utf8 ? raw.bytes.size() : raw.bytes.size() * 3 / 2);
    }
    for (std::size_t i = 0; i < raw.lines.size(); ++i) {
        if (!afterLine(decodedLine(raw, i))) {
            break;
        }
    }
    return raw.leftOut;
}

}  // namespace lorvane::common
