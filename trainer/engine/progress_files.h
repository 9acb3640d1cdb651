#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"
#include "common/text_lines.h"
#include "trainer/engine/card_boxes.h"

namespace lorvane::trainer {

// The learner's progress in a lesson: one file per card box beside the
// lesson, base name + ".lt0" … ".lt5", GBK, one entry text per line with
// CR LF and one closing empty line. The six files are one set: a save
// replaces all of them or none, even when it is killed half-way (see
// atomic_file.h), and every reader first finishes or throws away what such a
// save left behind.

std::string progressFileName(const std::string& baseName, int box);

// True when the lesson has saved progress: its ".lt0" is a file (a folder of
// that name is none).
bool hasProgress(const std::string& baseName);

// Writes all six files as one set.
common::ReplaceResult writeProgress(
    const std::string& baseName,
    const std::array<const std::vector<std::string_view>*, kBoxCount>& boxes);

struct ProgressRead {
    // The trimmed, non-blank lines of each box's file, up to the first file
    // that could not be read; the boxes from there on stay empty.
    std::array<common::TextLines, kBoxCount> boxes;
    int unreadBox = -1;  // that file's box; -1 when all six were read
    std::string error;   // why it could not be read
    // Whether that file or one after it is there: saved progress that this
    // read did not take in, and that a save would therefore overwrite.
    bool unreadFilesExist = false;
    // Unfinished when a committed save could not be put in place: then
    // nothing was read (unreadBox is 0), since the files would be a mixture.
    common::RecoveryResult recovery;

    bool complete() const { return unreadBox < 0; }
};
ProgressRead readProgress(const std::string& baseName);

}  // namespace lorvane::trainer
