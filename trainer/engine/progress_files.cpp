#include "progress_files.h"

#include <filesystem>

#include "atomic_file.h"
#include "text_file.h"

std::string progressFileName(const std::string& baseName, int box) {
    return baseName + ".lt" + std::to_string(box);
}

bool hasProgress(const std::string& baseName) {
    std::error_code ignored;
    return std::filesystem::exists(progressFileName(baseName, kNewWordBox), ignored);
}

bool writeProgress(const std::string& baseName,
                   const std::array<const std::vector<std::string>*, kBoxCount>& boxes,
                   std::string* error) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int box = 0; box < kBoxCount; ++box) {
        files.emplace_back(progressFileName(baseName, box),
                           encodeLines(*boxes[static_cast<std::size_t>(box)]) + "\r\n");
    }
    return writeFilesAtomically(files, error);
}

std::optional<std::vector<std::string>> readProgressBox(const std::string& baseName, int box,
                                                        std::string* error) {
    // These files are always written in GBK; reading them as GBK keeps a
    // short file from being taken for UTF-8 by chance.
    auto lines = readLines(progressFileName(baseName, box), Decoding::Gbk, error);
    if (!lines) {
        return std::nullopt;
    }
    std::vector<std::string> entries;
    for (const std::string& line : *lines) {
        const std::string_view trimmed = trimSpaces(line);
        if (!trimmed.empty()) {
            entries.emplace_back(trimmed);
        }
    }
    return entries;
}
