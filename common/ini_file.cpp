#include "common/ini_file.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "common/ascii_text.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "common/text_file.h"
#include "common/utf8_text.h"

namespace lorvane::common {

namespace ini {
namespace {

// Settings files may have been edited by hand on Linux, so a lone LF ends a
// line here too (as it did for the old profile functions).
std::vector<std::string> splitIniLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] != '\r' && bytes[pos] != '\n') {
            continue;
        }
        lines.emplace_back(bytes.substr(start, pos - start));
        if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < bytes.size()) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

// The name of the section a "[name]" line opens, if it is one.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimSpaces(line);
    if (!line.starts_with('[')) {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return trimSpaces(close == std::string_view::npos ? line : line.substr(0, close));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trimSpaces(line.substr(0, equals)), trimSpaces(line.substr(equals + 1))};
}

// Where a key stands in the file.
struct Location {
    std::optional<std::size_t> section;  // line of the first matching section
    std::optional<std::size_t> key;      // line of the key within it
    std::size_t lastContentLine = 0;     // last non-blank line of that section
};

Location locate(const std::vector<std::string>& lines, std::string_view section,
                std::string_view key) {
    Location where;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (where.section) {
                break;  // the first matching section has ended
            }
            inSection = equalsIgnoringAsciiCase(*name, section);
            if (inSection) {
                where.section = i;
                where.lastContentLine = i;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trimSpaces(lines[i]).empty()) {
            where.lastContentLine = i;
        }
        const auto entry = keyLine(lines[i]);
        if (!where.key && entry && equalsIgnoringAsciiCase(entry->name, key)) {
            where.key = i;
        }
    }
    return where;
}

bool holdsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// One pair of matching quotes around a value is no part of it.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

Document Document::fromBytes(std::string_view bytes) {
    Document document;
    document.lines_ = splitIniLines(decodeFileText(bytes, Decoding::Gbk));
    return document;
}

Result<Document> Document::load(const std::string& file) {
    const Result<std::string> bytes = readFileBytes(file);
    if (bytes) {
        return fromBytes(bytes.value());
    }
    if (std::error_code ec; std::filesystem::exists(file, ec) || ec) {
        return Failure{bytes.message()};
    }
    return Document{};
}

std::string Document::value(std::string_view section, std::string_view key,
                            std::string_view fallback, std::size_t maxChars) const {
    std::string_view result = fallback;
    const Location where = locate(lines_, section, key);
    if (where.key) {
        result = unquoted(keyLine(lines_[*where.key])->value);
    }
    return std::string(maxChars == kWholeValue ? result : utf8::left(result, maxChars));
}

Status Document::set(std::string_view section, std::string_view key, std::string_view value) {
    if (holdsLineEnd(section) || holdsLineEnd(key) || holdsLineEnd(value)) {
        return Failure{"设置值不能含有换行"};
    }
    if (trimSpaces(key).empty() || key.find('=') != std::string_view::npos ||
        section.find(']') != std::string_view::npos) {
        return Failure{"设置项的名字不可用"};
    }
    // Each line is kept as reading the written file back would give it, so
    // that one write of many keys gives the bytes of many writes of one.
    auto asStored = [](const std::string& line) { return gbk::decode(gbk::encode(line)); };
    const Location where = locate(lines_, section, key);
    if (where.key) {
        const std::string name(keyLine(lines_[*where.key])->name);
        lines_[*where.key] = asStored(name + "=" + std::string(value));
    } else if (where.section) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(where.lastContentLine + 1),
                      asStored(std::string(key) + "=" + std::string(value)));
    } else {
        lines_.push_back(asStored("[" + std::string(section) + "]"));
        lines_.push_back(asStored(std::string(key) + "=" + std::string(value)));
    }
    return {};
}

std::string Document::bytes() const {
    return encodeLines(lines_);
}

std::string readValue(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t maxChars) {
    const Result<std::string> bytes = readFileBytes(file);
    return (bytes ? Document::fromBytes(bytes.value()) : Document{})
        .value(section, key, fallback, maxChars);
}

Status writeValues(const std::string& file, const std::vector<Setting>& settings) {
    Result<Document> document = Document::load(file);
    if (!document) {
        return Failure{document.message()};
    }
    Status refused;
    bool anySet = false;
    for (const Setting& setting : settings) {
        Status set = document.value().set(setting.section, setting.key, setting.value);
        anySet = anySet || set.ok();
        if (!set && refused.ok()) {
            refused = std::move(set);
        }
    }
    if (!anySet) {
        return refused;  // nothing to write: the file stays as it is, or absent
    }
    if (Status written = writeFileAtomically(file, document.value().bytes()); !written) {
        return written;
    }
    return refused;
}

Status writeValue(const std::string& file, std::string_view section, std::string_view key,
                  std::string_view value) {
    return writeValues(file, {{section, key, std::string(value)}});
}

}  // namespace ini

}  // namespace lorvane::common
