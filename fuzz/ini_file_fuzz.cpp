// A settings file of any bytes, then settings taken from the same input:
// - reading and writing the file again changes nothing more after the first
//   write (the file keeps its lines);
// - every setting written is read back as written (trimmed, without one pair
//   of quotes), and a key not written keeps its value;
// - writing all settings at once gives the bytes of writing them one by one;
// - through real files: one write of many keys equals the key-by-key writes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/gbk_codec.h"
#include "common/ini_file.h"
#include "common/text_file.h"
#include "fuzz/scratch_folder.h"

using namespace lorvane::common;

namespace {

// Names the programs could use: letters, digits and Chinese, never blank.
const char* const kNames[] = {"label", "LABEL", "配置", "单词", "ForeColor", "forecolor",
                              "top",   "x",     "语速", "k1",   "filename",  "音量"};

struct Input {
    std::string_view rest;
    unsigned char take() {
        if (rest.empty()) {
            return 0;
        }
        const auto c = static_cast<unsigned char>(rest.front());
        rest.remove_prefix(1);
        return c;
    }
    std::string_view name() { return kNames[take() % std::size(kNames)]; }
    // Up to 15 bytes of value, any bytes.
    std::string value() {
        const std::size_t length = std::min<std::size_t>(take() % 16, rest.size());
        std::string bytes(rest.substr(0, length));
        rest.remove_prefix(length);
        return bytes;
    }
};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What reading a written value gives back.
std::string readBack(const std::string& value) {
    const std::string stored = gbk::decode(gbk::encode(value));
    std::string_view text = trimSpaces(stored);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    // The file is the input up to its first NUL; settings follow it.
    const std::size_t end = std::min(all.find('\0'), all.size());
    const std::string_view fileBytes = all.substr(0, end);
    Input input{all.substr(std::min(end + 1, all.size()))};

    ini::Document once = ini::Document::fromBytes(fileBytes);
    const std::string normalised = once.bytes();
    check(ini::Document::fromBytes(normalised).bytes() == normalised);

    std::vector<ini::Setting> settings;
    std::string keywise = normalised;
    while (!input.rest.empty() && settings.size() < 8) {
        const std::string_view section = input.name();
        const std::string_view key = input.name();
        const std::string value = input.value();
        const std::string_view otherSection = input.name();
        const std::string_view otherKey = input.name();
        const std::string before = once.value(otherSection, otherKey, "\x01", ini::kWholeValue);

        const bool accepted = once.set(section, key, value).ok();
        check(accepted == (value.find_first_of("\r\n") == std::string::npos));
        const ini::Document reread = ini::Document::fromBytes(once.bytes());
        if (accepted) {
            check(reread.value(section, key, "\x01", ini::kWholeValue) == readBack(value));
        }
        if (!(sameName(section, otherSection) && sameName(key, otherKey))) {
            check(reread.value(otherSection, otherKey, "\x01", ini::kWholeValue) == before);
        }

        ini::Document step = ini::Document::fromBytes(keywise);
        // Refused or not, as for `once` above.
        (void)step.set(section, key, value);
        keywise = step.bytes();
        check(keywise == once.bytes());
        settings.push_back({section, key, value});
    }

    // The same through files.
    scratch.write("once.dat", fileBytes);
    scratch.write("keywise.dat", fileBytes);
    // Refused settings are skipped alike by both ways of writing.
    (void)ini::writeValues(scratch.file("once.dat"), settings);
    for (const ini::Setting& setting : settings) {
        (void)ini::writeValue(scratch.file("keywise.dat"), setting.section, setting.key,
                              setting.value);
    }
    const Result<std::string> writtenOnce = readFileBytes(scratch.file("once.dat"));
    const Result<std::string> writtenKeywise = readFileBytes(scratch.file("keywise.dat"));
    check(writtenOnce.ok() && writtenKeywise.ok() && writtenOnce.value() == writtenKeywise.value());
    return 0;
}
