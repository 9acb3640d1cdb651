#include "common/line_splitter.h"

#include <cstring>

namespace lorvane::common {

namespace {

bool hasNonSpace(std::string_view bytes) {
    return bytes.find_first_not_of(' ') != std::string_view::npos;
}

}  // namespace

void LineSplitter::carry(std::string_view part) {
    hasCarry_ = true;
    carriedNonSpace_ = carriedNonSpace_ || hasNonSpace(part);
    if (overlong_) {
        return;
    }
    if (carried_.size() + part.size() > maxLineBytes_) {
        overlong_ = true;
        part = part.substr(0, maxLineBytes_ - carried_.size());
    }
    carried_.append(part);
}

bool LineSplitter::deliver(std::string_view tail, const LineHandler& onLine) {
    Line line;
    if (!hasCarry_ && tail.size() <= maxLineBytes_) {
        line.bytes = tail;  // the usual case: the line lies within one piece
        line.blank = !hasNonSpace(tail);
    } else {
        carry(tail);
        line.bytes = carried_;
        line.overlong = overlong_;
        line.blank = !carriedNonSpace_;
    }
    const bool goOn = onLine(line);
    carried_.clear();
    carriedNonSpace_ = false;
    overlong_ = false;
    hasCarry_ = false;
    stopped_ = !goOn;
    return goOn;
}

bool LineSplitter::feed(std::string_view piece, const LineHandler& onLine) {
    if (stopped_) {
        return false;
    }
    const char end = ends_ == LineEnds::Lf ? '\n' : '\r';
    std::size_t pos = 0;
    if (afterCr_ && !piece.empty()) {
        afterCr_ = false;
        if (piece[0] == '\n') {
            pos = 1;
        }
    }
    while (pos < piece.size()) {
        const void* found = std::memchr(piece.data() + pos, end, piece.size() - pos);
        if (found == nullptr) {
            carry(piece.substr(pos));
            return true;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - piece.data());
        if (!deliver(piece.substr(pos, at - pos), onLine)) {
            return false;
        }
        pos = at + 1;
        if (ends_ == LineEnds::CrOrCrLf) {
            if (pos == piece.size()) {
                afterCr_ = true;
            } else if (piece[pos] == '\n') {
                ++pos;
            }
        }
    }
    return true;
}

bool LineSplitter::finish(const LineHandler& onLine) {
    if (stopped_) {
        return false;
    }
    if (hasCarry_) {
        return deliver({}, onLine);
    }
    return true;
}

}  // namespace lorvane::common
