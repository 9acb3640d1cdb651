// The companion's lesson reader against the plain rules: every line of the
// text an item, blank ones too, trimmed and without LF, in order; an item
// decoded so that its bytes come back; stopping early stops at once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/gbk_codec.h"
#include "common/lesson_reader.h"
#include "common/text_file.h"
#include "fuzz/lesson_file.h"

using namespace lorvane::common;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static LessonFile file;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = file.write(bytes);
    std::vector<std::string> items;
    const Result<std::size_t> read = readCompanionLesson(path, [&items](std::string item) {
        items.push_back(std::move(item));
        return true;
    });
    check(read.ok());
    const std::size_t leftOut = read.valueOr(0);

    const bool atLf = endsLinesAtLf(bytes);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<std::string> expected;
    for (const std::string_view line : splitLines(bytes, atLf ? Decoding::Detect : Decoding::Gbk)) {
        std::string item(trimSpaces(line));
        std::erase(item, '\n');
        expected.push_back(std::move(item));
    }
    check(items.size() + leftOut == expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        check(items[i] == expected[i] || gbk::encode(items[i]) == expected[i]);
        check(items[i].find('\n') == std::string::npos);
    }

    if (!items.empty()) {
        const std::size_t stopAt = size % items.size() + 1;
        std::size_t calls = 0;
        check(readCompanionLesson(path, [&](const std::string&) { return ++calls < stopAt; }).ok());
        check(calls == stopAt);
    }
    return 0;
}
