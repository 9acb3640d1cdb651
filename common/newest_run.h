#pragma once

namespace lorvane::common {

// Work that lets the window run its events partway through (a lesson being
// read line by line, a folder being listed) can be started again from one of
// those events. The newest run wins: each run begins by taking a number, and
// an older run stops at its next look, before its results can mix with the
// newer run's.
class NewestRun {
public:
    using Number = unsigned;

    Number begin() { return ++begun_; }
    bool isNewest(Number run) const { return run == begun_; }

private:
    Number begun_ = 0;
};

}  // namespace lorvane::common
