#include "common/lesson_folder_fill.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <unordered_set>
#include <vector>

#include "common/error_text.h"
#include "common/locked_folder.h"
#include "common/paths.h"
#include "common/settings_relocation.h"
#include "common/text_file.h"
#include "common/write_all.h"

namespace lorvane::common {

namespace {

// Lesson folders are one level deep; a few more allow for a learner's own
// arrangement, and the walk ends however the folders are nested.
constexpr int kMaxDepth = 8;

// Where a copy is written before it takes its name: hidden, so no listing
// shows it, and one fixed name, as fills take turns; one left by a killed
// fill is replaced by the next.
constexpr char kCopyName[] = ".lorvane-fill.tmp";

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A folder of the learner's, made with `mode` when missing; a folder that a
// link leads to will do.
bool makeFolder(const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), mode) == 0) {
        return true;
    }
    const int error = errno;
    if (error == EEXIST && isFolder(path)) {
        return true;
    }
    logSystemError(path, error == EEXIST ? ENOTDIR : error);
    return false;
}

bool makeFolders(const std::string& path, mode_t mode) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (!isFolder(parent) && !makeFolder(parent, mode)) {
            return false;
        }
    }
    return makeFolder(path, mode);
}

// Renames `from` to `to` in the folder `dir` unless `to` exists: EEXIST
// then, and `from` stays. File systems that can't refuse in the rename
// itself get a hard link, which refuses as well; only where neither works
// is there a moment in which a file made under that name would be lost.
int renameWithoutReplacing(int dir, const char* from, const char* to) {
    if (::renameat2(dir, from, dir, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    if (::linkat(dir, from, dir, to, 0) == 0) {
        ::unlinkat(dir, from, 0);
        return 0;
    }
    if (errno == EEXIST) {
        return EEXIST;
    }
    struct stat status {};
    if (::fstatat(dir, to, &status, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return ::renameat(dir, from, dir, to) == 0 ? 0 : errno;
}

// Writes `bytes` as the new file `name` of the folder `dir`, flushed to disk
// first so that a power cut can't leave an empty lesson that is never copied
// again. 0, EEXIST when the name is taken, or why it failed.
int addFile(int dir, const std::string& name, std::string_view bytes) {
    ::unlinkat(dir, kCopyName, 0);
    const int fd = ::openat(dir, kCopyName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    int error = writeAll(fd, bytes) && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        error = renameWithoutReplacing(dir, kCopyName, name.c_str());
    }
    if (error != 0) {
        ::unlinkat(dir, kCopyName, 0);
    }
    return error;
}

class Fill {
public:
    Fill(std::unordered_set<std::string> given, const std::string& source,
         const std::string& target)
        : given_(std::move(given)), from_(source + '/'), to_(target + '/') {}

    void folder(const std::filesystem::path& source, const std::string& target,
                const std::string& relative, int depth) {
        std::error_code error;
        std::filesystem::directory_iterator entries(source, error);
        if (error) {
            logSystemError(source.native(), error.value());
            return;
        }
        bool targetMade = isFolder(target);
        for (; !error && entries != std::filesystem::directory_iterator();
             entries.increment(error)) {
            const std::filesystem::path& path = entries->path();
            const std::string name = path.filename().native();
            if (name.starts_with('.')) {
                continue;
            }
            const std::string sourcePath = path.native();
            struct stat status {};
            if (::lstat(sourcePath.c_str(), &status) != 0) {
                continue;
            }
            if (S_ISDIR(status.st_mode)) {
                if (depth < kMaxDepth) {
                    std::string subfolder = target;
                    subfolder.append(1, '/').append(name);
                    std::string subfolderRelative = relative;
                    subfolderRelative.append(name).append(1, '/');
                    folder(path, subfolder, subfolderRelative, depth + 1);
                }
                continue;
            }
            // A link counts for the file it leads to; anything but a regular
            // file there is passed over.
            if (::stat(sourcePath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
                continue;
            }
            const std::string relativeName = relative + name;
            if (given_.contains(relativeName)) {
                continue;
            }
            if (!targetMade) {
                if (!makeFolders(target, 0777)) {
                    return;  // tried again at the next fill
                }
                targetMade = true;
            }
            if (copy(sourcePath, target, name, relativeName)) {
                given_.insert(relativeName);
                newlyGiven_.push_back(relativeName);
            }
        }
        if (error) {
            logSystemError(source.native(), error.value());
        }
    }

    const std::vector<std::string>& newlyGiven() const { return newlyGiven_; }

private:
    // The settings that name lessons by their paths name the copies.
    std::string adjusted(const std::string& relativeName, std::string bytes) const {
        std::optional<std::string> relocated;
        if (relativeName == "dan.dat") {
            relocated = relocateTrainerSettings(bytes, from_, to_);
        } else if (relativeName == "listgirl.dat") {
            relocated = relocateLessonList(bytes, from_, to_);
        }
        return relocated ? std::move(*relocated) : std::move(bytes);
    }

    // True when the name holds a file now: the copy, or one that was there.
    bool copy(const std::string& sourcePath, const std::string& target, const std::string& name,
              const std::string& relativeName) const {
        const int dir = ::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0) {
            logSystemError(target, errno);
            return false;
        }
        struct stat status {};
        int result = EEXIST;
        if (::fstatat(dir, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            // readFileBytes names any failure on stderr itself.
            const Result<std::string> bytes = readFileBytes(sourcePath);
            result = bytes ? addFile(dir, name, adjusted(relativeName, bytes.value())) : -1;
        }
        ::close(dir);
        if (result > 0 && result != EEXIST) {
            logSystemError(target + '/' + name, result);
        }
        return result == 0 || result == EEXIST;
    }

    std::unordered_set<std::string> given_;
    std::vector<std::string> newlyGiven_;
    std::string from_;
    std::string to_;
};

// The record holds each name followed by a NUL byte, the one byte no file
// name can contain.
std::string recordBytes(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return {};  // no fill has given anything yet
    }
    return readFileBytes(path).valueOr("");
}

std::unordered_set<std::string> readRecord(const std::string& path) {
    std::unordered_set<std::string> names;
    const std::string bytes = recordBytes(path);
    std::string_view rest(bytes);
    for (std::size_t end = rest.find('\0'); end != std::string_view::npos; end = rest.find('\0')) {
        names.emplace(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return names;
}

void appendToRecord(const LockedFolder& dataFolder, const std::string& dataPath,
                    const std::vector<std::string>& names) {
    std::string bytes = recordBytes(dataPath + '/' + std::string(kShippedRecordName));
    for (const std::string& name : names) {
        bytes += name;
        bytes += '\0';
    }
    const std::string staged = "." + std::string(kShippedRecordName) + ".tmp";
    const int error = dataFolder.writeFlushed(staged, bytes, dataFolder.modeFor(staged));
    if (error != 0 || dataFolder.rename(staged, std::string(kShippedRecordName)) != 0) {
        logSystemError(dataPath + '/' + std::string(kShippedRecordName), error ? error : errno);
        dataFolder.remove(staged);
    }
}

}  // namespace

std::optional<std::string> fillLessonFolder(const std::string& source,
                                            const std::string& dataFolder) {
    if (!makeFolders(dataFolder, 0700)) {
        return std::nullopt;
    }
    // The lock is the data folder's: no save ever takes it, so a fill can't
    // wait for a save of its own program, and the other program's fill
    // waits until this one is over.
    const LockedFolder locked(dataFolder);
    if (locked.openErrno() != 0) {
        logSystemError(dataFolder, locked.openErrno());
        return std::nullopt;
    }
    const std::string lessons = dataFolder + '/' + std::string(kLessonFolderName);
    // A lesson folder made now starts over: a learner who removed it gets
    // every shipped lesson again.
    const bool fresh = !isFolder(lessons);
    if (fresh && !makeFolder(lessons, 0700)) {
        return std::nullopt;
    }
    const std::string recordPath = dataFolder + '/' + std::string(kShippedRecordName);
    if (fresh) {
        locked.remove(std::string(kShippedRecordName));
    }
    Fill fill(readRecord(recordPath), source, lessons);
    fill.folder(source, lessons, "", 0);
    if (!fill.newlyGiven().empty()) {
        appendToRecord(locked, dataFolder, fill.newlyGiven());
    }
    return lessons;
}

}  // namespace lorvane::common
