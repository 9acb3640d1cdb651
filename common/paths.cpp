#include "common/paths.h"

#include <filesystem>
#include <system_error>

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
