#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace lorvane::common {

// Settings files of both programs: INI files with the rules of the
// private-profile functions of the old systems, so that files carried over
// from there keep working:
//  - section and key names match without regard to ASCII letter case;
//  - a missing file, section or key gives the caller's default;
//  - the value read is trimmed of surrounding spaces, loses one pair of
//    matching quotes around it (ForeColor="255" reads as 255), and is cut to
//    the caller's buffer;
//  - a write replaces the key's value where it stands, adds a new key at the
//    end of its section and a new section at the end of the file, and keeps
//    every other line; names and values are stored in GBK with CR LF.
// The files are this system's own and always read as GBK: a short GBK text
// that happens to be well-formed UTF-8 is never taken for UTF-8.
namespace ini {

// The buffer both programs hand to the read call for ordinary values.
inline constexpr std::size_t kBufferChars = 255;
// For values that must never be cut, such as a stored lesson path.
inline constexpr std::size_t kWholeValue = std::string::npos;

// A settings file in memory, line by line.
class Document {
public:
    // The lines of a file's bytes; no bytes, no lines.
    static Document fromBytes(std::string_view bytes);
    // The file's lines; an empty document when there is no file, and a
    // Failure when there is one that can't be read (replacing it would lose
    // its other keys).
    static Result<Document> load(const std::string& file);

    std::string value(std::string_view section, std::string_view key, std::string_view fallback,
                      std::size_t maxChars = kBufferChars) const;

    // Writes one key. Refuses a name or value that cannot stand on one line
    // (CR or LF), an empty key or one holding "=", and a section holding
    // "]"; the document is then unchanged.
    Status set(std::string_view section, std::string_view key, std::string_view value);

    // The file's new bytes: GBK, each line ended by CR LF.
    std::string bytes() const;

private:
    std::vector<std::string> lines_;
};

std::string readValue(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t maxChars = kBufferChars);

struct Setting {
    std::string_view section;
    std::string_view key;
    std::string value;
};

// Reads the file once, writes every setting into it in order (a refused one
// is skipped and the others are written), and replaces the file once; the
// bytes are those that writing the keys one at a time would give. Creates
// the file when it is missing (but not its folder). A Failure when a setting
// was refused (the first refusal) or the file could not be read or replaced;
// in the latter case the old file stays whole.
Status writeValues(const std::string& file, const std::vector<Setting>& settings);

// writeValues with one setting.
Status writeValue(const std::string& file, std::string_view section, std::string_view key,
                  std::string_view value);

}  // namespace ini

}  // namespace lorvane::common
