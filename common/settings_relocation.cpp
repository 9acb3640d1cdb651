#include "common/settings_relocation.h"

#include <vector>

#include "common/ini_file.h"
#include "common/stored_path.h"
#include "common/text_file.h"
#include "common/utf8_text.h"

namespace lorvane::common {

namespace {

// Where Lorvane keeps the lesson it reopens (its settings section "单词").
constexpr std::string_view kTrainerSection = "单词";
constexpr std::string_view kLessonKey = "filename";

std::optional<std::string> moved(std::string_view storedText, std::string_view from,
                                 std::string_view to) {
    const std::string path = pathFromStoredText(storedText);
    if (!path.starts_with(from)) {
        return std::nullopt;
    }
    return storedPathText(std::string(to) + path.substr(from.size()));
}

}  // namespace

std::optional<std::string> relocateTrainerSettings(std::string_view bytes, std::string_view from,
                                                   std::string_view to) {
    ini::Document settings = ini::Document::fromBytes(bytes);
    const std::string stored(
        trimSpaces(settings.value(kTrainerSection, kLessonKey, "", ini::kWholeValue)));
    const std::optional<std::string> relocated = moved(stored, from, to);
    if (!relocated || !settings.set(kTrainerSection, kLessonKey, *relocated).ok()) {
        return std::nullopt;
    }
    return settings.bytes();
}

std::optional<std::string> relocateLessonList(std::string_view bytes, std::string_view from,
                                              std::string_view to) {
    // Read as Miselle reads it: GBK, lines at CR LF or CR, and a lone LF
    // ends a line too; blank lines name no lesson. It is written back as
    // Miselle writes it, with a closing line end.
    const std::string text = decodeFileText(bytes, Decoding::Gbk);
    std::vector<std::string> lines;
    bool anyMoved = false;
    for (const std::string_view line : splitLines(text)) {
        std::size_t start = 0;
        while (start <= line.size()) {
            std::size_t end = line.find('\n', start);
            if (end == std::string_view::npos) {
                end = line.size();
            }
            const std::string_view entry = line.substr(start, end - start);
            start = end + 1;
            if (trimSpaces(entry).empty()) {
                continue;
            }
            // The tick is the first character, whatever it is.
            const std::size_t pathStart = utf8::offsetOfChar(entry, 1);
            const std::optional<std::string> relocated = moved(entry.substr(pathStart), from, to);
            anyMoved = anyMoved || relocated.has_value();
            lines.push_back(std::string(entry.substr(0, pathStart)) +
                            relocated.value_or(std::string(entry.substr(pathStart))));
        }
    }
    if (!anyMoved) {
        return std::nullopt;
    }
    lines.emplace_back();
    return encodeLines(lines);
}

}  // namespace lorvane::common
