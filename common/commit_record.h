#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::common {

// The names a save gives its temporary files, and the commit record that
// says a set of staged files is complete (see atomic_file.h). Both are part
// of what a killed save leaves on disk, so a later version of the programs
// must still understand them.

// Longest file name the file systems allow, in bytes.
inline constexpr std::size_t kFileNameMax = 255;

// The temporary name under which a save stages the file `targetName` (a
// name, not a path) in its folder: hidden, ending in ".tmp", and never longer
// than 255 bytes, however long the target's name.
std::string stagingName(std::string_view targetName);

// The name of the commit record of a set whose first file is
// `firstTargetName`, and the name it is written under before it is renamed.
std::string commitRecordName(std::string_view firstTargetName);
std::string commitRecordStagingName(std::string_view firstTargetName);

// Earlier versions staged a file as its name + ".tmp-" + six letters or
// digits.
bool isEarlierStagingName(std::string_view name, std::string_view targetName);

// The record of a set: a header, each file name counted (a name may hold a
// line break), and a closing line with the count, so that anything short of
// a whole record is recognised as none.
std::string encodeCommitRecord(const std::vector<std::string>& names);
// The names a record lists; std::nullopt for anything but a whole record of
// names without "/".
std::optional<std::vector<std::string>> parseCommitRecord(std::string_view record);

}  // namespace lorvane::common
