#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr std::size_t kNameMax = 255;
constexpr std::string_view kStagingSuffix = ".tmp";
constexpr std::string_view kRecordSuffix = ".commit";
constexpr std::string_view kRecordStagingSuffix = ".commit.tmp";
constexpr std::string_view kRecordHeader = "lorvane file set 1\n";

std::uint32_t fnv1a(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

// "." + as much of the name as fits + "." + 8 hex digits of the whole name
// + suffix. The digits tell apart long names that share their beginning.
std::string derivedName(std::string_view name, std::string_view suffix) {
    const std::size_t room = kNameMax - 1 - 1 - 8 - suffix.size();
    std::size_t keep = std::min(room, name.size());
    // Never end inside a UTF-8 sequence: the name stays readable in a
    // file manager.
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string digits(8, '0');
    std::uint32_t hash = fnv1a(name);
    for (int i = 7; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
        hash >>= 4;
    }
    std::string result = ".";
    result += name.substr(0, keep);
    result += '.';
    result += digits;
    result += suffix;
    return result;
}

struct SplitPath {
    std::string folder;
    std::string name;
};

SplitPath splitPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {".", std::string(path)};
    }
    return {slash == 0 ? "/" : std::string(path.substr(0, slash)),
            std::string(path.substr(slash + 1))};
}

// The folder of a set, open and locked for as long as this lives. Every file
// operation goes through its descriptor, so the folder's own path may be long.
class LockedFolder {
public:
    explicit LockedFolder(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) {
            errno_ = errno;
            return;
        }
        // A file system without locks still gets its files replaced; the
        // lock only keeps two of our own programs apart.
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~LockedFolder() {
        if (fd_ >= 0) {
            ::close(fd_);  // also releases the lock
        }
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int openErrno() const { return errno_; }
    int fd() const { return fd_; }

    // Makes the renames and removals so far survive a power cut. Some file
    // systems cannot flush a folder; the renames have happened all the same.
    void flush() const { ::fsync(fd_); }

    bool exists(const std::string& name) const {
        struct stat status {};
        return ::fstatat(fd_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    }
    // Removes a file; true when it was there.
    bool remove(const std::string& name) const { return ::unlinkat(fd_, name.c_str(), 0) == 0; }

private:
    int fd_ = -1;
    int errno_ = 0;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The mode of the file being replaced (the one a link points to), or what
// the umask makes of a new file's.
mode_t modeFor(const LockedFolder& folder, const std::string& name) {
    struct stat existing {};
    if (::fstatat(folder.fd(), name.c_str(), &existing, 0) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes and flushes `bytes` as the new file `tempName`; on failure removes
// it again and returns the errno.
int stage(const LockedFolder& folder, const std::string& tempName, std::string_view bytes,
          mode_t mode) {
    folder.remove(tempName);  // left by a save that never finished
    const int fd =
        ::openat(folder.fd(), tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        folder.remove(tempName);
    }
    return error;
}

std::string encodeRecord(const std::vector<std::string>& names) {
    std::string record(kRecordHeader);
    for (const std::string& name : names) {
        // Names are counted, not ended: a file name may hold a line break.
        record += std::to_string(name.size()) + ' ' + name + '\n';
    }
    record += "end " + std::to_string(names.size()) + '\n';
    return record;
}

// The names a record lists; std::nullopt for anything but a whole record.
std::optional<std::vector<std::string>> parseRecord(std::string_view record) {
    if (!record.starts_with(kRecordHeader)) {
        return std::nullopt;
    }
    record.remove_prefix(kRecordHeader.size());
    std::vector<std::string> names;
    while (!record.starts_with("end ")) {
        const std::size_t space = record.find(' ');
        if (space == 0 || space == std::string_view::npos || space > 3) {
            return std::nullopt;
        }
        std::size_t length = 0;
        for (const char digit : record.substr(0, space)) {
            if (digit < '0' || digit > '9') {
                return std::nullopt;
            }
            length = length * 10 + static_cast<std::size_t>(digit - '0');
        }
        record.remove_prefix(space + 1);
        if (length == 0 || length > kNameMax || record.size() <= length || record[length] != '\n') {
            return std::nullopt;
        }
        const std::string_view name = record.substr(0, length);
        if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos) {
            return std::nullopt;
        }
        names.emplace_back(name);
        record.remove_prefix(length + 1);
    }
    if (names.empty() || record != "end " + std::to_string(names.size()) + '\n') {
        return std::nullopt;
    }
    return names;
}

std::optional<std::string> readSmallFile(const LockedFolder& folder, const std::string& name) {
    const int fd =
        ::openat(folder.fd(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::string> bytes;
    // A record is a few hundred bytes; anything else is not one of ours.
    constexpr off_t kLimit = 64 * 1024;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= kLimit) {
        std::string buffer(static_cast<std::size_t>(status.st_size), '\0');
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got == status.st_size) {
            bytes = std::move(buffer);
        }
    }
    ::close(fd);
    return bytes;
}

// Temporary files of the earlier scheme: the target's name + ".tmp-" + six
// letters or digits.
bool isEarlierTemporary(std::string_view entry, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (entry.size() != name.size() + 11 || !entry.starts_with(name) ||
            entry.substr(name.size(), 5) != ".tmp-") {
            continue;
        }
        bool letters = true;
        for (const char c : entry.substr(name.size() + 5)) {
            letters = letters &&
                      ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
        }
        if (letters) {
            return true;
        }
    }
    return false;
}

void removeEarlierTemporaries(const LockedFolder& folder, const std::vector<std::string>& names) {
    const int fd = ::dup(folder.fd());
    if (fd < 0) {
        return;
    }
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        if (isEarlierTemporary(entry->d_name, names)) {
            leftovers.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    for (const std::string& leftover : leftovers) {
        folder.remove(leftover);
    }
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The folder and names of a set; errno EINVAL when the set is empty, spans
// folders or names no file.
struct SetNames {
    std::string folder;
    std::vector<std::string> names;
    int errnoValue = 0;
};

SetNames setNames(const std::vector<std::string>& paths) {
    SetNames set;
    if (paths.empty()) {
        set.errnoValue = EINVAL;
        return set;
    }
    for (const std::string& path : paths) {
        SplitPath split = splitPath(path);
        if (set.names.empty()) {
            set.folder = split.folder;
        } else if (split.folder != set.folder) {
            set.errnoValue = EINVAL;
        }
        if (split.name.empty() || split.name == "." || split.name == "..") {
            set.errnoValue = EISDIR;
        } else if (split.name.size() > kNameMax) {
            set.errnoValue = ENAMETOOLONG;
        }
        set.names.push_back(std::move(split.name));
    }
    return set;
}

RecoveryResult recoverLocked(const LockedFolder& folder, const SetNames& set) {
    RecoveryResult result;
    const std::string recordName = commitRecordName(set.names.front());
    const std::optional<std::string> recordBytes = readSmallFile(folder, recordName);
    const auto recorded = recordBytes ? parseRecord(*recordBytes) : std::nullopt;
    if (recorded) {
        // The set was committed: put every staged file still waiting in place.
        for (const std::string& name : *recorded) {
            if (::renameat(folder.fd(), stagingName(name).c_str(), folder.fd(), name.c_str()) !=
                    0 &&
                errno != ENOENT && result.errnoValue == 0) {
                result.errnoValue = errno;
                result.path = joinPath(set.folder, name);
            }
        }
        if (result.errnoValue != 0) {
            result.outcome = RecoveryResult::Outcome::Unfinished;
            return result;
        }
        // The renames must be on disk before the record goes, and the record
        // must be gone before a later save stages anything: otherwise a power
        // cut could bring it back to put those later files in place.
        folder.flush();
        folder.remove(recordName);
        folder.flush();
        result.outcome = RecoveryResult::Outcome::Completed;
    } else if (recordBytes || folder.exists(recordName)) {
        // Not a record we wrote whole: nothing was renamed on its account.
        folder.remove(recordName);
    }
    bool discarded = folder.remove(derivedName(set.names.front(), kRecordStagingSuffix));
    for (const std::string& name : set.names) {
        discarded = folder.remove(stagingName(name)) || discarded;
    }
    removeEarlierTemporaries(folder, set.names);
    if (discarded && result.outcome == RecoveryResult::Outcome::Clean) {
        result.outcome = RecoveryResult::Outcome::Discarded;
    }
    return result;
}

ReplaceResult unchanged(int errnoValue, std::string path) {
    return {ReplaceResult::Outcome::Unchanged, errnoValue, std::move(path)};
}

}  // namespace

std::string stagingName(std::string_view targetName) {
    return derivedName(targetName, kStagingSuffix);
}

std::string commitRecordName(std::string_view firstTargetName) {
    return derivedName(firstTargetName, kRecordSuffix);
}

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
    if (folder.isOpen()) {
        result = recoverLocked(folder, set);
    }
    if (whileLocked) {
        whileLocked(result);
    }
    return result;
}

ReplaceResult replaceFiles(const std::vector<FileWrite>& files) {
    std::vector<std::string> paths;
    for (const FileWrite& file : files) {
        paths.push_back(file.path);
    }
    const SetNames set = setNames(paths);
    if (set.errnoValue != 0) {
        return unchanged(set.errnoValue, paths.empty() ? "" : paths[0]);
    }
    const LockedFolder folder(set.folder);
    if (!folder.isOpen()) {
        return unchanged(folder.openErrno(), set.folder);
    }
    // Whatever an earlier save left is settled first, so that staged files
    // of this save can never be taken for part of an earlier set.
    if (const RecoveryResult earlier = recoverLocked(folder, set);
        earlier.outcome == RecoveryResult::Outcome::Unfinished) {
        return unchanged(earlier.errnoValue, earlier.path);
    }
    // A folder where a file should be would refuse its rename half-way
    // through the set: refuse the set before anything is written.
    for (std::size_t i = 0; i < files.size(); ++i) {
        struct stat status {};
        if (::fstatat(folder.fd(), set.names[i].c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(status.st_mode)) {
            return unchanged(EISDIR, files[i].path);
        }
    }

    auto removeStaged = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            folder.remove(stagingName(set.names[i]));
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const int error =
            stage(folder, stagingName(set.names[i]), files[i].bytes, modeFor(folder, set.names[i]));
        if (error != 0) {
            removeStaged(i);
            return unchanged(error, files[i].path);
        }
    }

    const int dir = folder.fd();
    if (files.size() == 1) {
        if (::renameat(dir, stagingName(set.names[0]).c_str(), dir, set.names[0].c_str()) != 0) {
            const int error = errno;
            removeStaged(1);
            return unchanged(error, files[0].path);
        }
        folder.flush();
        return {};
    }

    const std::string recordName = commitRecordName(set.names.front());
    const std::string recordStaging = derivedName(set.names.front(), kRecordStagingSuffix);
    if (const int error = stage(folder, recordStaging, encodeRecord(set.names), 0600); error != 0) {
        removeStaged(files.size());
        return unchanged(error, files[0].path);
    }
    folder.flush();  // the staged files' names are on disk before the record
    if (::renameat(dir, recordStaging.c_str(), dir, recordName.c_str()) != 0) {
        const int error = errno;
        folder.remove(recordStaging);
        removeStaged(files.size());
        return unchanged(error, files[0].path);
    }
    folder.flush();
    // Committed: from here on the new set is what counts.

    ReplaceResult result;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::renameat(dir, stagingName(set.names[i]).c_str(), dir, set.names[i].c_str()) != 0 &&
            result.errnoValue == 0) {
            result = {ReplaceResult::Outcome::Unfinished, errno, files[i].path};
        }
    }
    if (!result.replaced()) {
        return result;  // the record stays: the next reader or save retries
    }
    folder.flush();
    folder.remove(recordName);
    folder.flush();
    return result;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const ReplaceResult result = replaceFiles({{path, std::string(bytes)}});
    if (!result.replaced() && error) {
        *error = result.systemText();
    }
    return result.replaced();
}
