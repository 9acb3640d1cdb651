#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/commit_record.h"

#include "common/result.h"

namespace lorvane::common {

// Replacing the learner's files so that a kill, a crash or a full disk at
// any moment leaves either the old files or the new ones, never a mixture.
//
// One file: the new bytes go to a temporary file beside it, are flushed to
// disk, and the temporary file is renamed over the target.
//
// Several files that only make sense together (the six progress files of a
// lesson; the companion's settings and its lesson list): every new file is
// staged and flushed first; then a small commit record naming the files is
// written and flushed, and renamed into place. That rename is the moment the
// new set counts as saved. The staged files are renamed over the targets one
// by one and the record is removed. A kill before the record is in place
// leaves the old set and some staged files, which are thrown away; a kill
// after it leaves the record, and whoever comes next (a reader of the files
// or the next save) finishes the renames. Readers therefore go through
// recoverFiles() first.
//
// Temporary names are made from the target's name and always fit the
// 255-byte limit of a file name when the target's own name does. They are
// hidden (a leading dot) and end in ".tmp", so lesson lists never show them.
// Saves and recoveries in one folder take turns (a lock on the folder), so
// two programs saving at once never tidy away each other's staged files.
//
// A missing folder is never created. Nothing follows a symbolic link at the
// target: the link itself is replaced by the new file and whatever it pointed
// to stays as it was.

struct FileWrite {
    std::string path;
    std::string bytes;
};

struct ReplaceResult {
    enum class Outcome {
        Replaced,   // every file holds its new bytes
        Unchanged,  // every file is as it was before the call
        // The new set was committed but not every file could be put in place
        // (its commit record stays); the next recoverFiles() tries again.
        Unfinished,
    };
    Outcome outcome = Outcome::Replaced;
    int errnoValue = 0;  // why, when not Replaced
    std::string path;    // the file (never a temporary one) or folder it concerns

    bool replaced() const { return outcome == Outcome::Replaced; }
    // For logs: the path and the system's own words.
    std::string systemText() const;
};

// Replaces `files`, which must all lie in one folder, as one set.
ReplaceResult replaceFiles(const std::vector<FileWrite>& files);

struct RecoveryResult {
    enum class Outcome {
        Clean,       // no save had been interrupted
        Completed,   // a committed set has been put in place
        Discarded,   // staged files of a save that never committed were removed
        Unfinished,  // a committed set could not be put in place (yet)
    };
    Outcome outcome = Outcome::Clean;
    int errnoValue = 0;
    std::string path;
};

// Finishes or throws away whatever a killed save of the set `paths` (one
// folder) left behind, including temporary files of earlier versions of the
// programs. Then runs `whileLocked`, if given, with the outcome and the
// folder still locked, so that no save can change the set while it is read.
// (`whileLocked` must not save or recover files of the same folder: the lock
// is not re-entrant, and it would wait for itself.)
RecoveryResult recoverFiles(const std::vector<std::string>& paths,
                            const std::function<void(const RecoveryResult&)>& whileLocked = {});

// One file, as replaceFiles({{path, bytes}}); a Failure holds systemText().
Status writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace lorvane::common
