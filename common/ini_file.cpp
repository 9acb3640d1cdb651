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

bool refuse(std::string* error, const char* why) {
    if (error) {
        *error = why;
    }
    return false;
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

std::optional<Document> Document::load(const std::string& file) {
    if (std::optional<std::string> bytes = readFileBytes(file)) {
        return fromBytes(*bytes);
    }
    if (std::error_code ec; std::filesystem::exists(file, ec) || ec) {
        return std::nullopt;
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

bool Document::set(std::string_view section, std::string_view key, std::string_view value,
                   std::string* error) {
    if (holdsLineEnd(section) || holdsLineEnd(key) || holdsLineEnd(value)) {
        return refuse(error, "a settings value cannot hold a line break");
    }
    if (trimSpaces(key).empty() || key.find('=') != std::string_view::npos ||
        section.find(']') != std::string_view::npos) {
        return refuse(error, "not a usable settings key");
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
    return true;
}

std::string Document::bytes() const {
    return encodeLines(lines_);
}

std::string readValue(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t maxChars) {
    const std::optional<std::string> bytes = readFileBytes(file);
    return (bytes ? Document::fromBytes(*bytes) : Document{})
        .value(section, key, fallback, maxChars);
}

bool writeValues(const std::string& file, const std::vector<Setting>& settings,
                 std::string* error) {
    std::optional<Document> document = Document::load(file);
    if (!document) {
        return refuse(error, "the settings file exists but cannot be read");
    }
    bool allSet = true;
    bool anySet = false;
    for (const Setting& setting : settings) {
        const bool set = document->set(setting.section, setting.key, setting.value, error);
        allSet = allSet && set;
        anySet = anySet || set;
    }
    if (!anySet) {
        return false;  // nothing to write: the file stays as it is, or absent
    }
    std::string writeError;
    if (!writeFileAtomically(file, document->bytes(), &writeError)) {
        return refuse(error, writeError.c_str());
    }
    return allSet;
}

bool writeValue(const std::string& file, std::string_view section, std::string_view key,
                std::string_view value, std::string* error) {
    return writeValues(file, {{section, key, std::string(value)}}, error);
}

}  // namespace ini

}  // namespace lorvane::common
