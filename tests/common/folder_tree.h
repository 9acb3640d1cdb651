#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "common/text_file.h"

// Everything beneath `folder`, links not followed: each file's relative
// path with its bytes, each folder's with a trailing "/" and "", each
// link's with "-> " and its target. Empty for a missing folder.
inline std::map<std::string, std::string> folderTree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator entries(folder, error), end;
         !error && entries != end; entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        const std::string relative = path.lexically_relative(folder).native();
        if (entries->is_symlink()) {
            tree[relative] = "-> " + std::filesystem::read_symlink(path).native();
        } else if (entries->is_directory()) {
            tree[relative + "/"] = "";
        } else {
            tree[relative] = lorvane::common::readFileBytes(path.native()).valueOr("<unreadable>");
        }
    }
    return tree;
}
