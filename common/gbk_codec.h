#pragma once

#include <string>
#include <string_view>

namespace lorvane::common {

// Conversion between the GBK bytes of lesson, progress and settings files and
// the UTF-8 text the programs work with.
//
// Decoding never fails and never loses a byte: a byte that is not part of a
// valid GBK (or four-byte GB18030) character becomes the reserved code point
// U+DC00 + byte, and encoding turns that code point back into the same byte.
// Lessons copied from old systems sometimes hold such bytes, and the learner's
// progress files must give them back unchanged.
namespace gbk {

// First and last reserved code point carrying an undecodable byte 0x80…0xFF.
inline constexpr char32_t kEscapeFirst = 0xDC80;
inline constexpr char32_t kEscapeLast = 0xDCFF;

// Opens this thread's converters. Without the system's GBK and GB18030
// converters (a C library installed without them) it throws
// std::runtime_error, as decode and encode would on first use: a program
// calls it while starting, where the failure can be told, rather than in
// the middle of reading a learner's file.
void openConverters();

std::string decode(std::string_view gbkBytes);
// Decodes onto the end of `out`: many lines into one block of text.
void decodeAppend(std::string_view gbkBytes, std::string& out);

// Encodes with GBK; a character GBK has no code for is written in GB18030,
// so nothing turns into "?".
std::string encode(std::string_view utf8Text);

}  // namespace gbk

}  // namespace lorvane::common
