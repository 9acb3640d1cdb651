#pragma once

#include <string>
#include <string_view>

namespace lorvane::common {

// Which lesson folder the programs use: the one in the program folder, as a
// portable folder has always had it, or, when the programs may not write
// there, the learner's own copy in his data folder (see lesson_folder_fill.h),
// which both programs then share.

// Whether the lesson folder `folder` (a path, with or without a trailing
// "/") is not the programs' to write:
//  - it is reached through a symbolic link to a folder. That is how an
//    installation lays out the program folder (the lessons sit read-only in
//    share/lorvane, shared by every user): even where the files could be
//    written, as by root, they belong to the package, and a learner's
//    progress in them would be mixed with everybody's and lost on the next
//    update;
//  - or a real folder in which no file may be made: a read-only medium or
//    mount, or a folder of another user's. Only a refusal counts (EROFS,
//    EACCES, EPERM): a full disk is no reason to move the learner's
//    progress elsewhere, and its saves report it as they always have.
// A missing lesson folder is not; the programs go on as they always have.
bool lessonFolderIsReadOnly(const std::string& folder);

// The learner's data folder for these programs: $XDG_DATA_HOME/lorvane, or
// ~/.local/share/lorvane when XDG_DATA_HOME is unset or not an absolute
// path; "" when there is no home folder either.
std::string learnerDataFolder();

// The lesson folder to use for `programFolder`, with a trailing "/": the
// program folder's own unless lessonFolderIsReadOnly(); then the learner's
// own, filled from it, in `dataFolder`. When `dataFolder` is "" or can't be
// made, the program folder's own all the same, and the saves say what fails.
std::string chooseLessonFolder(std::string_view programFolder, const std::string& dataFolder);

}  // namespace lorvane::common
