#include "companion/engine/list_file.h"

#include <optional>
#include <string_view>
#include <vector>

#include "common/stored_path.h"
#include "common/text_file.h"
#include "common/utf8_text.h"
#include "companion/engine/lesson_list.h"

namespace lorvane::companion {

namespace {

// Lines end at CR LF or CR; a list file saved on Linux ends them with LF
// alone. No stored path can hold a line break (the list refuses one), so a
// lone LF is taken as a line end too, rather than gluing every lesson into
// one unusable path.
void appendEntries(std::string_view line, LessonList& lessons) {
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find('\n', start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        const std::string_view part = line.substr(start, end - start);
        if (!common::trimSpaces(part).empty()) {
            // The first character may be a Chinese one in a hand-edited file:
            // it goes as a whole, never half of it into the path.
            const std::size_t pathStart = common::utf8::offsetOfChar(part, 1);
            // A line the list can't take (it is full) is left out: the list
            // keeps what it holds, as when the learner adds one too many.
            (void)lessons.add(common::pathFromStoredText(part.substr(pathStart)),
                              part.front() == 'T');
        }
        start = end + 1;
    }
}

}  // namespace

bool readListFile(const std::string& path, LessonList& lessons) {
    lessons.clear();
    // Always GBK: a path such as "/home/learner/聽.txt" (C2 A0 in GBK) is
    // well-formed UTF-8 too, and was read back as another path.
    const common::Result<std::vector<std::string>> lines =
        common::readLines(path, common::Decoding::Gbk);
    if (!lines) {
        return false;
    }
    for (const std::string& line : lines.value()) {
        appendEntries(line, lessons);
    }
    return true;
}

std::string encodeListFile(const LessonList& lessons) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(lessons.count()) + 1);
    for (const LessonListEntry& entry : lessons.entries()) {
        lines.push_back((entry.ticked ? "T" : "F") + common::storedPathText(entry.path));
    }
    lines.emplace_back();  // the closing line end
    return common::encodeLines(lines);
}

}  // namespace lorvane::companion
