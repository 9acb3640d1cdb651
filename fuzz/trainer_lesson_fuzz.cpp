// The trainer's lesson reader against the plain rules: the trimmed non-blank
// lines of the text, in order, nothing lost or added, each decoded so that
// encoding it again (or, for UTF-8, the text itself) gives its bytes back.
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
    const Result<LessonLines> read = readLessonEntries(file.write(bytes));
    check(read.ok());
    const LessonLines& lesson = read.value();

    const bool atLf = endsLinesAtLf(bytes);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<std::string_view> expected;
    for (const std::string_view line : splitLines(bytes, atLf ? Decoding::Detect : Decoding::Gbk)) {
        if (!trimSpaces(line).empty()) {
            expected.push_back(trimSpaces(line));
        }
    }
    const std::vector<std::string_view>& lines = lesson.entries.lines;
    check(lines.size() + lesson.leftOut == expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view entry = lines[i];
        check(entry == expected[i] || gbk::encode(entry) == expected[i]);
        check(trimSpaces(entry) == entry && !entry.empty());
    }
    return 0;
}
