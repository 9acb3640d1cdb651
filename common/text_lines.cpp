#include "common/text_lines.h"

#include "common/gbk_codec.h"

namespace lorvane::common {

TextLines TextLines::copyOf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size();
    }
    TextLinesBuilder builder(size, lines.size());
    for (const std::string& line : lines) {
        builder.add(line);
    }
    return std::move(builder).finish();
}

TextLinesBuilder::TextLinesBuilder(std::size_t textBytes, std::size_t lines) {
    text_.reserve(textBytes);
    ends_.reserve(lines);
}

void TextLinesBuilder::add(std::string_view utf8Line) {
    text_ += utf8Line;
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

void TextLinesBuilder::addGbk(std::string_view gbkLine) {
    gbk::decodeAppend(gbkLine, text_);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

TextLines TextLinesBuilder::finish() && {
    TextLines lines{std::make_unique<const std::string>(std::move(text_)), {}};
    lines.lines.reserve(ends_.size());
    std::uint32_t start = 0;
    for (const std::uint32_t end : ends_) {
        lines.lines.emplace_back(lines.text->data() + start, end - start);
        start = end;
    }
    return lines;
}

}  // namespace lorvane::common
