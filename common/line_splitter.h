#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace lorvane::common {

// Cuts a stream of bytes, handed over in pieces of any size, into lines,
// so that a file is read line by line without ever being held whole. A line
// that grows past a bound is not kept whole either: it still ends where its
// line end is, but arrives cut short and marked, so that one endless line
// can't fill memory.
class LineSplitter {
public:
    enum class LineEnds {
        CrOrCrLf,  // CR LF or a lone CR; a lone LF stays inside the line
        Lf,        // LF: for a file that holds no CR at all
    };

    struct Line {
        std::string_view bytes;  // line end removed; cut at the bound when overlong
        bool overlong = false;   // longer than the bound
        bool blank = false;      // empty or only ASCII spaces (the whole line)
    };
    // Returns false to stop: no further lines are delivered.
    using LineHandler = std::function<bool(const Line&)>;

    LineSplitter(LineEnds ends, std::size_t maxLineBytes)
        : ends_(ends), maxLineBytes_(maxLineBytes) {}

    // Delivers every line that ends in `piece`. False once a handler stopped.
    bool feed(std::string_view piece, const LineHandler& onLine);
    // Delivers the last line when it has no line end. False when stopped.
    bool finish(const LineHandler& onLine);

private:
    bool deliver(std::string_view tail, const LineHandler& onLine);
    void carry(std::string_view part);

    LineEnds ends_;
    std::size_t maxLineBytes_;
    std::string carried_;  // the start of a line that began in an earlier piece
    bool carriedNonSpace_ = false;
    bool overlong_ = false;
    bool hasCarry_ = false;
    bool afterCr_ = false;  // the last piece ended with CR: a LF next belongs to it
    bool stopped_ = false;
};

}  // namespace lorvane::common
