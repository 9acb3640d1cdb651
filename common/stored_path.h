#pragma once

#include <string>
#include <string_view>

namespace lorvane::common {

// Lesson paths kept in the settings and list files, which are GBK text. A
// path is whatever bytes the file system holds: mostly UTF-8, but a folder
// copied from an old system may be named in GBK bytes, or in bytes of
// neither. Every path must come back byte for byte.
//
// A path in UTF-8 is stored as its text, in GBK like everything else in the
// file. Any other path is stored as its own bytes. Bytes that are not GBK
// text can only be such a path; for the rest reading cannot tell the two
// apart (the GBK bytes of "学习" are what the UTF-8 folder "学习" is stored
// as, too), so the one that exists is taken, the UTF-8 one when neither or
// both do.

// The text to store for `path`: written out in GBK, it gives either the
// path's text or the path's own bytes.
std::string storedPathText(std::string_view path);

// The path that stored text names.
std::string pathFromStoredText(std::string_view text);

}  // namespace lorvane::common
