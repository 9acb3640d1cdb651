#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "common/text_lines.h"

namespace lorvane::common {

// Line-oriented text files as both programs read and write them: a line ends
// at CR LF or at a lone CR, and a lone LF stays inside the line (progress
// files keep such entries). Lines are written in GBK, each ending with CR LF.
//
// Every read opens without blocking and refuses anything but a regular file
// (see InputFile); errors are said in Chinese for the learner.

// Where a file comes from decides how it is read.
enum class Decoding {
    // A file the learner brings (a lesson, word.dat): GBK or UTF-8, whichever
    // it is written in (see looksLikeUtf8); and a file with no CR at all,
    // as Linux editors save, has its lines end at LF.
    Detect,
    // A file this system writes itself: always GBK, so that a short GBK file
    // is never taken for UTF-8 by accident; lines end at CR LF or CR only.
    Gbk,
};

// The largest file read whole; a larger one is refused ("文件太大"), so that
// a wrong or hostile file can't fill memory.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// The longest line the line readers hand over; a longer one ends the read
// with an error.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// The whole file as bytes; a Failure when it can't be opened or read, or is
// larger than `maxBytes`.
Result<std::string> readFileBytes(const std::string& path, std::size_t maxBytes = kMaxFileBytes);

// Splits raw bytes into lines (line ends removed): at CR LF or a lone CR. A
// last line without a line end is kept; an empty input gives no lines.
std::vector<std::string_view> splitLines(std::string_view bytes);

// The same for a file from `decoding`'s source: a learner's file without any
// CR splits at LF.
std::vector<std::string_view> splitLines(std::string_view bytes, Decoding decoding);

// True when a learner's file of these bytes has its lines end at LF.
bool endsLinesAtLf(std::string_view bytes);

// The text of a whole file in UTF-8, decoded as `decoding` says. For a
// learner's file a UTF-8 byte-order mark is dropped, also when the rest is
// read as GBK because it is not valid UTF-8.
std::string decodeFileText(std::string_view bytes, Decoding decoding);

// Calls `onLine` with each decoded line in file order. `onLine` returns false
// to stop early. A Failure when the file can't be read (it says why in
// Chinese); the lines already handed over stay handed over.
Status forEachLine(const std::string& path, Decoding decoding,
                   const std::function<bool(std::string line)>& onLine);

// All decoded lines of a file.
Result<std::vector<std::string>> readLines(const std::string& path, Decoding decoding);

// The same in one block of text (see TextLines): for a file of many lines
// that are kept.
Result<TextLines> readTextLines(const std::string& path, Decoding decoding);

// The GBK bytes of `lines`, each followed by CR LF.
std::string encodeLines(const std::vector<std::string>& lines);
std::string encodeLines(const std::vector<std::string_view>& lines);

// Removes leading and trailing ASCII spaces (not tabs, not U+3000).
std::string_view trimSpaces(std::string_view text);

}  // namespace lorvane::common
