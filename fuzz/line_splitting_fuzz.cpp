// Lines read piece by piece, as files are read, are the lines of the whole
// text: whatever the piece size, wherever a CR LF falls. No line holds its
// line end, and a line longer than the bound arrives cut to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_splitter.h"
#include "common/text_file.h"

using namespace lorvane::common;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t pieceSize = data[0] % 17 + 1;
    const std::size_t maxLine = data[1] % 64 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    for (const Decoding decoding : {Decoding::Gbk, Decoding::Detect}) {
        const std::vector<std::string_view> whole = splitLines(bytes, decoding);
        const bool atLf = decoding == Decoding::Detect && endsLinesAtLf(bytes);
        LineSplitter splitter(atLf ? LineSplitter::LineEnds::Lf : LineSplitter::LineEnds::CrOrCrLf,
                              maxLine);
        std::size_t index = 0;
        const LineSplitter::LineHandler compare = [&](const LineSplitter::Line& line) {
            check(index < whole.size());
            const std::string_view expected = whole[index++];
            check(line.overlong == (expected.size() > maxLine));
            check(line.bytes == expected.substr(0, maxLine));
            check(line.blank == trimSpaces(expected).empty());
            check(line.bytes.find('\r') == std::string_view::npos);
            check(!atLf || line.bytes.find('\n') == std::string_view::npos);
            return true;
        };
        for (std::size_t pos = 0; pos < bytes.size(); pos += pieceSize) {
            splitter.feed(bytes.substr(pos, pieceSize), compare);
        }
        splitter.finish(compare);
        check(index == whole.size());
    }
    return 0;
}
