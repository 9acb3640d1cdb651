#include "common/paths.h"

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <system_error>

#include "common/lesson_folder_choice.h"

namespace lorvane::common {

std::string programFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ".";
    }
    std::string folder = exe.parent_path().string();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string lessonFolder(std::string_view programFolder) {
    static std::mutex mutex;
    static std::map<std::string, std::string, std::less<>> chosen;
    const std::scoped_lock lock(mutex);
    auto found = chosen.find(programFolder);
    if (found == chosen.end()) {
        found = chosen
                    .emplace(std::string(programFolder),
                             chooseLessonFolder(programFolder, learnerDataFolder()))
                    .first;
    }
    return found->second;
}

std::string programLessonFolder(std::string_view programFolder) {
    std::string folder(programFolder);
    folder += '/';
    folder += kLessonFolderName;
    folder += '/';
    return folder;
}

std::string getfilename(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::optional<std::string> lessonBaseName(std::string_view lessonPath) {
    const std::size_t dot = lessonPath.find(".txt");
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(lessonPath.substr(0, dot));
}

}  // namespace lorvane::common
