#include "common/atomic_file.h"

#include <cerrno>
#include <cstring>

#include "common/commit_record.h"
#include "common/locked_folder.h"

namespace lorvane::common {

namespace {

// The folder and file names of a set; errno when the paths make no set of
// files in one folder.
struct SetNames {
    std::string folder;
    std::vector<std::string> names;
    int errnoValue = 0;
};

SetNames setNames(const std::vector<std::string>& paths) {
    SetNames set;
    set.errnoValue = paths.empty() ? EINVAL : 0;
    for (const std::string& path : paths) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : path.substr(0, slash);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (set.names.empty()) {
            set.folder = folder;
        } else if (folder != set.folder) {
            set.errnoValue = EINVAL;
        }
        if (name.empty() || name == "." || name == "..") {
            set.errnoValue = EISDIR;
        } else if (name.size() > kFileNameMax) {
            set.errnoValue = ENAMETOOLONG;
        }
        set.names.push_back(std::move(name));
    }
    return set;
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

RecoveryResult recoverLocked(const LockedFolder& folder, const SetNames& set) {
    RecoveryResult result;
    const std::string recordName = commitRecordName(set.names.front());
    const std::optional<std::string> recordBytes = folder.readSmallFile(recordName);
    if (const auto recorded = recordBytes ? parseCommitRecord(*recordBytes) : std::nullopt) {
        // The set was committed: put every staged file still waiting in place
        // (those already renamed are gone from their staging names).
        for (const std::string& name : *recorded) {
            const int error = folder.rename(stagingName(name), name);
            if (error != 0 && error != ENOENT && result.errnoValue == 0) {
                result = {RecoveryResult::Outcome::Unfinished, error, pathIn(set.folder, name)};
            }
        }
        if (result.errnoValue != 0) {
            return result;  // the record stays for the next try
        }
        // The renames must be on disk before the record goes, and the record
        // must be gone for good before a later save stages anything, or a
        // power cut could bring it back to put those later files in place.
        folder.flush();
        folder.remove(recordName);
        folder.flush();
        result.outcome = RecoveryResult::Outcome::Completed;
    } else if (folder.exists(recordName)) {
        // Not a record we wrote whole: nothing was renamed on its account.
        folder.remove(recordName);
    }

    bool discarded = folder.remove(commitRecordStagingName(set.names.front()));
    for (const std::string& name : set.names) {
        discarded = folder.remove(stagingName(name)) || discarded;
    }
    for (const std::string& entry : folder.names()) {
        for (const std::string& name : set.names) {
            if (isEarlierStagingName(entry, name)) {
                folder.remove(entry);
            }
        }
    }
    if (discarded && result.outcome == RecoveryResult::Outcome::Clean) {
        result.outcome = RecoveryResult::Outcome::Discarded;
    }
    return result;
}

ReplaceResult unchanged(int errnoValue, std::string path) {
    return {ReplaceResult::Outcome::Unchanged, errnoValue, std::move(path)};
}

}  // namespace

std::string ReplaceResult::systemText() const {
    return path + ": " + std::strerror(errnoValue);
}

RecoveryResult recoverFiles(const std::vector<std::string>& paths,
                            const std::function<void(const RecoveryResult&)>& whileLocked) {
    const SetNames set = setNames(paths);
    if (set.errnoValue != 0) {
        return {RecoveryResult::Outcome::Unfinished, set.errnoValue, paths.empty() ? "" : paths[0]};
    }
    const LockedFolder folder(set.folder);
    RecoveryResult result;
    if (folder.openErrno() == 0) {
        result = recoverLocked(folder, set);
    }
    if (whileLocked) {
        whileLocked(result);
    }
    return result;
}

ReplaceResult replaceFiles(const std::vector<FileWrite>& files) {
    std::vector<std::string> paths;
    paths.reserve(files.size());
    for (const FileWrite& file : files) {
        paths.push_back(file.path);
    }
    const SetNames set = setNames(paths);
    if (set.errnoValue != 0) {
        return unchanged(set.errnoValue, paths.empty() ? "" : paths[0]);
    }
    const LockedFolder folder(set.folder);
    if (folder.openErrno() != 0) {
        return unchanged(folder.openErrno(), set.folder);
    }
    // Whatever an earlier save left is settled first, so that files staged
    // now can never be taken for part of an earlier set.
    if (const RecoveryResult earlier = recoverLocked(folder, set);
        earlier.outcome == RecoveryResult::Outcome::Unfinished) {
        return unchanged(earlier.errnoValue, earlier.path);
    }
    // A folder where a file should be would refuse its rename half-way
    // through the set: refuse the set before anything is written.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (folder.isFolder(set.names[i])) {
            return unchanged(EISDIR, files[i].path);
        }
    }

    auto removeStaged = [&] {
        for (const std::string& name : set.names) {
            folder.remove(stagingName(name));
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& name = set.names[i];
        if (const int error =
                folder.writeFlushed(stagingName(name), files[i].bytes, folder.modeFor(name))) {
            removeStaged();
            return unchanged(error, files[i].path);
        }
    }

    if (files.size() == 1) {
        // One rename is all or nothing by itself.
        if (const int error = folder.rename(stagingName(set.names[0]), set.names[0])) {
            removeStaged();
            return unchanged(error, files[0].path);
        }
        folder.flush();
        return {};
    }

    const std::string record = commitRecordName(set.names.front());
    const std::string recordStaging = commitRecordStagingName(set.names.front());
    if (const int error = folder.writeFlushed(recordStaging, encodeCommitRecord(set.names), 0600)) {
        removeStaged();
        return unchanged(error, files[0].path);
    }
    folder.flush();  // the staged files' names are on disk before the record
    if (const int error = folder.rename(recordStaging, record)) {
        folder.remove(recordStaging);
        removeStaged();
        return unchanged(error, files[0].path);
    }
    folder.flush();
    // Committed: from here on the new set is the saved one, whatever happens.

    ReplaceResult result;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const int error = folder.rename(stagingName(set.names[i]), set.names[i]);
        if (error != 0 && result.replaced()) {
            result = {ReplaceResult::Outcome::Unfinished, error, files[i].path};
        }
    }
    if (!result.replaced()) {
        return result;  // the record stays: the next reader or save retries
    }
    folder.flush();
    folder.remove(record);
    folder.flush();
    return result;
}

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    const ReplaceResult result = replaceFiles({{path, std::string(bytes)}});
    if (!result.replaced()) {
        return Failure{result.systemText()};
    }
    return {};
}

}  // namespace lorvane::common
