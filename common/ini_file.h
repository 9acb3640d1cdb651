#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Settings files of both programs: INI files read and written one key at a
// time, the way the private-profile functions of the old systems did it, so
// that files carried over from there keep working:
//  - section and key names match without regard to ASCII letter case;
//  - a missing file, section or key gives the caller's default;
//  - the value read is trimmed of surrounding spaces and cut to the caller's
//    buffer;
//  - a write replaces the key's value where it stands, adds a new key at the
//    end of its section and a new section at the end of the file, and keeps
//    every other line; names and values are stored in GBK with CR LF.
namespace ini {

// The buffer both programs hand to the read call for ordinary values.
inline constexpr std::size_t kBufferChars = 255;
// For values that must never be cut, such as a stored lesson path.
inline constexpr std::size_t kWholeValue = std::string::npos;

std::string readValue(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t maxChars = kBufferChars);

// Creates the file when it is missing (but not its folder) and replaces it
// atomically. Refuses, returning false, a name or value that cannot stand on
// one line (CR or LF), a key holding "=", and a section holding "]".
bool writeValue(const std::string& file, std::string_view section, std::string_view key,
                std::string_view value, std::string* error = nullptr);

}  // namespace ini
