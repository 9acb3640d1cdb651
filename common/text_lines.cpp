#include "common/text_lines.h"

namespace lorvane::common {

TextLines TextLines::copyOf(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size();
    }
    text.reserve(size);
    std::vector<std::uint32_t> ends;
    ends.reserve(lines.size());
    for (const std::string& line : lines) {
        text += line;
        ends.push_back(static_cast<std::uint32_t>(text.size()));
    }
    return fromEnds(std::move(text), ends);
}

TextLines TextLines::fromEnds(std::string text, const std::vector<std::uint32_t>& ends) {
    TextLines lines{std::make_unique<const std::string>(std::move(text)), {}};
    lines.lines.reserve(ends.size());
    std::uint32_t start = 0;
    for (const std::uint32_t end : ends) {
        lines.lines.emplace_back(lines.text->data() + start, end - start);
        start = end;
    }
    return lines;
}

}  // namespace lorvane::common
