#include "common/commit_record.h"

#include <algorithm>
#include <cstdint>

namespace lorvane::common {

namespace {

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
    const std::size_t room = kFileNameMax - 1 - 1 - 8 - suffix.size();
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

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string stagingName(std::string_view targetName) {
    return derivedName(targetName, ".tmp");
}

std::string commitRecordName(std::string_view firstTargetName) {
    return derivedName(firstTargetName, ".commit");
}

std::string commitRecordStagingName(std::string_view firstTargetName) {
    return derivedName(firstTargetName, ".commit.tmp");
}

bool isEarlierStagingName(std::string_view name, std::string_view targetName) {
    constexpr std::string_view kMark = ".tmp-";
    if (name.size() != targetName.size() + kMark.size() + 6 || !name.starts_with(targetName) ||
        name.substr(targetName.size(), kMark.size()) != kMark) {
        return false;
    }
    const std::string_view letters = name.substr(targetName.size() + kMark.size());
    return std::all_of(letters.begin(), letters.end(), isLetterOrDigit);
}

std::string encodeCommitRecord(const std::vector<std::string>& names) {
    std::string record(kRecordHeader);
    for (const std::string& name : names) {
        record += std::to_string(name.size()) + ' ' + name + '\n';
    }
    record += "end " + std::to_string(names.size()) + '\n';
    return record;
}

std::optional<std::vector<std::string>> parseCommitRecord(std::string_view record) {
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
        if (length == 0 || length > kFileNameMax || record.size() <= length ||
            record[length] != '\n') {
            return std::nullopt;
        }
        const std::string_view name = record.substr(0, length);
        if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
            name == "." || name == "..") {
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

}  // namespace lorvane::common
