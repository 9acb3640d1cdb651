#include "common/lesson_folder_choice.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "common/lesson_folder_fill.h"
#include "common/paths.h"

namespace lorvane::common {

namespace {

bool refusesWrites(int error) {
    return error == EROFS || error == EACCES || error == EPERM;
}

// Makes a file in `folder` and takes it away again. An unnamed file first:
// it never appears in the folder, not even when the program is killed right
// then. File systems without unnamed files get a named, hidden one.
bool refusesNewFiles(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return refusesWrites(errno);
    }
    std::string name = folder + "/.lorvane-write-test-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named < 0) {
        return refusesWrites(errno);
    }
    ::close(named);
    ::unlink(name.c_str());
    return false;
}

std::string withoutTrailingSlashes(std::string path) {
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return {};
}

}  // namespace

bool lessonFolderIsReadOnly(const std::string& folder) {
    const std::string path = withoutTrailingSlashes(folder);
    struct stat status {};
    if (path.empty() || ::lstat(path.c_str(), &status) != 0) {
        return false;
    }
    if (S_ISLNK(status.st_mode)) {
        return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    return S_ISDIR(status.st_mode) && refusesNewFiles(path);
}

std::string learnerDataFolder() {
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be
    // ignored, as the base directory rules say.
    std::string dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        dataHome = xdg;
    } else if (const std::string home = homeFolder(); !home.empty()) {
        dataHome = withoutTrailingSlashes(home) + "/.local/share";
    } else {
        return {};
    }
    return withoutTrailingSlashes(dataHome) + "/lorvane";
}

std::string chooseLessonFolder(std::string_view programFolder, const std::string& dataFolder) {
    std::string own = programLessonFolder(programFolder);
    if (dataFolder.empty() || !lessonFolderIsReadOnly(own)) {
        return own;
    }
    const std::optional<std::string> learners =
        fillLessonFolder(withoutTrailingSlashes(own), dataFolder);
    return learners ? *learners + '/' : own;
}

}  // namespace lorvane::common
