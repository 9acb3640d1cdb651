#include "trainer/engine/progress_files.h"

#include <sys/stat.h>

#include <algorithm>

#include "common/text_file.h"

namespace lorvane::trainer {

namespace {

std::vector<std::string> progressFilePaths(const std::string& baseName) {
    std::vector<std::string> paths;
    paths.reserve(kBoxCount);
    for (int box = 0; box < kBoxCount; ++box) {
        paths.push_back(progressFileName(baseName, box));
    }
    return paths;
}

}  // namespace

std::string progressFileName(const std::string& baseName, int box) {
    return baseName + ".lt" + std::to_string(box);
}

bool hasProgress(const std::string& baseName) {
    bool found = false;
    // A save killed before its first ".lt0" was in place may still have
    // committed it: the question must see the set as a reader would.
    common::recoverFiles(progressFilePaths(baseName), [&](const common::RecoveryResult&) {
        struct stat status {};
        found = ::stat(progressFileName(baseName, kNewWordBox).c_str(), &status) == 0 &&
                S_ISREG(status.st_mode);
    });
    return found;
}

common::ReplaceResult writeProgress(
    const std::string& baseName,
    const std::array<const std::vector<std::string_view>*, kBoxCount>& boxes) {
    std::vector<common::FileWrite> files;
    files.reserve(kBoxCount);
    for (int box = 0; box < kBoxCount; ++box) {
        files.push_back({progressFileName(baseName, box),
                         common::encodeLines(*boxes[static_cast<std::size_t>(box)]) + "\r\n"});
    }
    return common::replaceFiles(files);
}

ProgressRead readProgress(const std::string& baseName) {
    ProgressRead read;
    // The box of the first file that can't be read; -1 when all can.
    auto readBoxes = [&] {
        for (int box = 0; box < kBoxCount; ++box) {
            // These files are always written in GBK; reading them as GBK
            // keeps a short file from being taken for UTF-8 by chance.
            auto lines =
                common::readTextLines(progressFileName(baseName, box), common::Decoding::Gbk);
            if (!lines) {
                read.error = lines.message();
                return box;
            }
            // Trimmed where they are: the lines read become the box's.
            std::vector<std::string_view>& entries = lines.value().lines;
            std::size_t kept = 0;
            for (const std::string_view line : entries) {
                const std::string_view trimmed = common::trimSpaces(line);
                if (!trimmed.empty()) {
                    entries[kept++] = trimmed;
                }
            }
            entries.resize(kept);
            read.boxes[static_cast<std::size_t>(box)] = std::move(lines.value());
        }
        return -1;
    };
    read.recovery = common::recoverFiles(
        progressFilePaths(baseName), [&](const common::RecoveryResult& recovery) {
            // Half old, half new files are no progress: read none of them.
            read.unreadBox = recovery.outcome == common::RecoveryResult::Outcome::Unfinished
                                 ? kNewWordBox
                                 : readBoxes();
            for (int box = std::max(read.unreadBox, 0); box < kBoxCount && !read.complete();
                 ++box) {
                struct stat status {};
                read.unreadFilesExist =
                    read.unreadFilesExist ||
                    ::lstat(progressFileName(baseName, box).c_str(), &status) == 0;
            }
        });
    return read;
}

}  // namespace lorvane::trainer
