#include "common/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.h"

using namespace lorvane::common;

namespace {

struct Seen {
    std::string bytes;
    bool overlong;
    bool blank;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << '"' << seen.bytes << '"' << (seen.overlong ? " overlong" : "")
               << (seen.blank ? " blank" : "");
}

// Feeds `bytes` in pieces of `pieceSize` and collects what arrives.
std::vector<Seen> split(std::string_view bytes, std::size_t pieceSize,
                        LineSplitter::LineEnds ends = LineSplitter::LineEnds::CrOrCrLf,
                        std::size_t maxLine = 100) {
    LineSplitter splitter(ends, maxLine);
    std::vector<Seen> seen;
    const LineSplitter::LineHandler collect = [&seen](const LineSplitter::Line& line) {
        seen.push_back({std::string(line.bytes), line.overlong, line.blank});
        return true;
    };
    for (std::size_t pos = 0; pos < bytes.size(); pos += pieceSize) {
        splitter.feed(bytes.substr(pos, pieceSize), collect);
    }
    splitter.finish(collect);
    return seen;
}

}  // namespace

// A line end that falls between two pieces (CR in one, LF in the next) must
// end one line, not two.
TEST(LineSplitter, PiecesOfAnySizeSplitLikeTheWholeText) {
    const std::string text = "apple  1\r\n\r\n  \r\nb\nc\rlast\r\nx";
    std::vector<Seen> expected;
    for (const std::string_view line : splitLines(text)) {
        expected.push_back({std::string(line), false, trimSpaces(line).empty()});
    }
    ASSERT_EQ(expected.size(), 6u);
    for (std::size_t piece = 1; piece <= text.size(); ++piece) {
        EXPECT_EQ(split(text, piece), expected) << "pieces of " << piece;
    }
}

TEST(LineSplitter, LfEndsLinesOnlyWhenAsked) {
    const std::vector<Seen> atLf{{"a", false, false}, {"b", false, false}, {"", false, true}};
    for (std::size_t piece = 1; piece <= 5; ++piece) {
        EXPECT_EQ(split("a\nb\n\n", piece, LineSplitter::LineEnds::Lf), atLf);
        EXPECT_EQ(split("a\nb\n\n", piece), (std::vector<Seen>{{"a\nb\n\n", false, false}}));
    }
}

TEST(LineSplitter, AnOverlongLineArrivesCutAndMarkedAndTheNextIsWhole) {
    const std::string longLine(250, 'x');
    const std::string spaces(250, ' ');
    for (const std::size_t piece : {7u, 100u, 1000u}) {
        const auto seen = split(longLine + "\r\n" + spaces + "\r\nnext", piece);
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0], (Seen{std::string(100, 'x'), true, false}));
        EXPECT_EQ(seen[1], (Seen{std::string(100, ' '), true, true}));
        EXPECT_EQ(seen[2], (Seen{"next", false, false}));
    }
}

TEST(LineSplitter, AHandlerCanStopTheRest) {
    LineSplitter splitter(LineSplitter::LineEnds::CrOrCrLf, 100);
    int calls = 0;
    const LineSplitter::LineHandler stopAtSecond = [&calls](const LineSplitter::Line&) {
        return ++calls < 2;
    };
    EXPECT_FALSE(splitter.feed("a\rb\rc\r", stopAtSecond));
    EXPECT_FALSE(splitter.feed("d\r", stopAtSecond));
    EXPECT_FALSE(splitter.finish(stopAtSecond));
    EXPECT_EQ(calls, 2);
}
