#pragma once

#include <string_view>

namespace lorvane::common {

// Lessons and word.dat come from anywhere: most are GBK, as lessons always
// were, but a lesson written on Linux is usually UTF-8, and a file saved in
// one and read in the other turns into garbage without any error. The choice
// is made once for the whole text, from its bytes.
//
// Short GBK text is often well-formed UTF-8 by chance ("一" is D2 BB, a
// Cyrillic letter in UTF-8; "貓" is D8 88, an Arabic one), so being valid
// UTF-8 is not enough: the UTF-8 reading must also look like a lesson
// (Chinese, punctuation, Latin letters and phonetic symbols next to English
// words), and a text whose GBK reading is common Chinese stays GBK. The
// figures measured on a corpus are in the README.

// True when `bytes` (a whole file, or the part of it that is read) is to be
// read as UTF-8, false for GBK. A file that starts with the UTF-8 byte-order
// mark is UTF-8 when the rest is valid UTF-8, and GBK otherwise; either way
// the mark itself is no part of the text.
bool looksLikeUtf8(std::string_view bytes);

}  // namespace lorvane::common
