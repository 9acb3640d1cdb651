// Six progress files of any bytes (the input cut at NUL bytes; a missing
// piece is a missing file) are loaded, saved and loaded again:
// - loading stops at the first missing file and never leaves temporary
//   files behind;
// - what was loaded comes back entry for entry after a save, as one set;
// - saving what came back gives the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/text_file.h"
#include "fuzz/scratch_folder.h"
#include "trainer/engine/progress_files.h"

using namespace lorvane::common;
using namespace lorvane::trainer;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::array<const std::vector<std::string_view>*, kBoxCount> boxesOf(const ProgressRead& read) {
    std::array<const std::vector<std::string_view>*, kBoxCount> boxes{};
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        boxes[box] = &read.boxes[box].lines;
    }
    return boxes;
}

bool sameLines(const ProgressRead& a, const ProgressRead& b) {
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        if (a.boxes[box].lines != b.boxes[box].lines) {
            return false;
        }
    }
    return true;
}

std::size_t filesIn(const ScratchFolder& scratch) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(scratch.file(""))) {
        ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    scratch.clear();
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    int files = 0;
    for (; files < kBoxCount && !(rest.empty() && files > 0); ++files) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        scratch.write("课.lt" + std::to_string(files), rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const std::string base = scratch.file("课");

    const ProgressRead first = readProgress(base);
    check(first.unreadBox == (files == kBoxCount ? -1 : files));
    check(filesIn(scratch) == static_cast<std::size_t>(files));
    if (!first.complete()) {
        return 0;
    }
    for (const auto& box : first.boxes) {
        for (const std::string_view entry : box.lines) {
            check(!entry.empty() && entry == trimSpaces(entry));
        }
    }

    check(writeProgress(base, boxesOf(first)).replaced());
    check(filesIn(scratch) == kBoxCount);
    const ProgressRead second = readProgress(base);
    check(second.complete() && sameLines(second, first));
    std::string saved[kBoxCount];
    for (int box = 0; box < kBoxCount; ++box) {
        saved[box] = readFileBytes(progressFileName(base, box)).valueOr("");
    }
    check(writeProgress(base, boxesOf(second)).replaced());
    for (int box = 0; box < kBoxCount; ++box) {
        check(readFileBytes(progressFileName(base, box)).valueOr("") == saved[box]);
    }
    return 0;
}
