#include "trainer/engine/lesson_listing.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "common/ascii_text.h"

namespace lorvane::trainer {

namespace {

// The names in `folder` that `keep` accepts, sorted; nothing when the folder
// can't be read.
std::vector<std::string> sortedNames(
    const std::string& folder,
    const std::function<bool(const std::filesystem::directory_entry&)>& keep) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with('.') && keep(*it)) {
            names.push_back(name);
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return common::lessIgnoringAsciiCase(a, b);
    });
    return names;
}

void deliver(const std::vector<std::string>& names,
             const std::function<bool(const std::string& name)>& onEntry) {
    for (const std::string& name : names) {
        if (!onEntry(name)) {
            break;
        }
    }
}

}  // namespace

void listLessonTexts(const std::string& folder,
                     const std::function<bool(const std::string& name)>& onEntry) {
    deliver(sortedNames(folder,
                        [](const std::filesystem::directory_entry& entry) {
                            std::error_code ignored;
                            return entry.is_regular_file(ignored) &&
                                   common::endsWithIgnoringAsciiCase(
                                       entry.path().filename().string(), ".txt");
                        }),
            onEntry);
}

void listFolderEntries(const std::string& folder,
                       const std::function<bool(const std::string& name)>& onEntry) {
    deliver(sortedNames(folder,
                        [](const std::filesystem::directory_entry& entry) {
                            std::error_code ignored;
                            return entry.is_directory(ignored) || entry.is_regular_file(ignored);
                        }),
            onEntry);
}

bool entryExists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::exists(path, ignored);
}

}  // namespace lorvane::trainer
