#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Line-oriented text files as both programs read and write them: a line ends
// at CR LF or at a lone CR; a lone LF stays inside the line (files saved with
// Unix line ends arrive as one long line, as they always have). Lines are
// written in GBK, each ending with CR LF.

// How the bytes of a file are turned into text.
enum class Decoding {
    // GBK, or UTF-8 when the file looks like UTF-8 (lessons written on Linux).
    Detect,
    // Always GBK: for files this system writes itself, so that a short GBK
    // file is never taken for UTF-8 by accident.
    Gbk,
};

// The whole file as bytes; std::nullopt when it can't be opened or read, with
// the reason in `error`.
std::optional<std::string> readFileBytes(const std::string& path, std::string* error = nullptr);

// Splits raw bytes into lines (line ends removed). A last line without a line
// end is kept; an empty input gives no lines.
std::vector<std::string_view> splitLines(std::string_view bytes);

// The text of a whole file in UTF-8, decoded as `decoding` says; a UTF-8
// byte-order mark is dropped.
std::string decodeFileText(std::string_view bytes, Decoding decoding);

// Calls `onLine` with each decoded line in file order. `onLine` returns false
// to stop early. Returns false when the file can't be read.
bool forEachLine(const std::string& path, Decoding decoding,
                 const std::function<bool(std::string line)>& onLine, std::string* error = nullptr);

// All decoded lines of a file, or std::nullopt when it can't be read.
std::optional<std::vector<std::string>> readLines(const std::string& path, Decoding decoding,
                                                  std::string* error = nullptr);

// The GBK bytes of `lines`, each followed by CR LF.
std::string encodeLines(const std::vector<std::string>& lines);

// Removes leading and trailing ASCII spaces (not tabs, not U+3000).
std::string_view trimSpaces(std::string_view text);
