#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/newest_run.h"
#include "common/result.h"
#include "companion/engine/lesson_items.h"

namespace lorvane::common {
class RandomSource;
}  // namespace lorvane::common

namespace lorvane::companion {

// A lesson's lines read before the load that wants them, on another thread
// (see lesson_read_ahead.h), or why they couldn't be read.
struct ReadLesson {
    std::string path;
    common::Status status;  // a short message for the label when the read failed
    LessonItems items;
};

// The lines of the lesson at `path`, read as LessonCursor::load reads them,
// without stopping for the window.
ReadLesson readLesson(std::string path);

// The lesson in memory and where the learner is in it: the current lesson
// (an index in the lesson list) and the current item (an index in the
// lesson's lines). Both are 16-bit numbers, as the settings file keeps them;
// neither is kept inside its list, and every move says what an index
// outside means.
class LessonCursor {
public:
    // A lesson keeps at most this many lines.
    static constexpr int kMaxItems = 32767;

    enum class Load {
        Finished,
        Overtaken,  // a newer load began meanwhile and owns the items now
    };

    // The lines of the lesson, blank lines included.
    const LessonItems& items() const { return items_; }
    int itemCount() const { return static_cast<int>(items_.size()); }

    std::int16_t lesson() const { return lesson_; }
    std::int16_t item() const { return item_; }
    // A value past the 16-bit range is kept at its end.
    void setLesson(int index);
    void setItem(int index);

    // The line at the current item; "" when the index names none.
    std::string_view currentItemText() const;

    // Replaces the items with the lines of the lesson at `path`, running
    // `afterLine` after each. A lesson that can't be read, or has no lines,
    // leaves the items empty and fails with a short message for the label.
    common::Result<Load> load(const std::string& path, const std::function<void()>& afterLine);
    // The same with the lines of a lesson read earlier: the items are
    // replaced at once, and a load still letting the window run is
    // overtaken.
    common::Result<Load> load(ReadLesson read);

    // A random item, 1 … n − 1: item 0 comes only in order or when a lesson
    // starts. With fewer than two items the draw lies outside the lesson.
    std::int16_t drawItem(common::RandomSource& random) const;

private:
    // The end of a load: the read's failure, or "empty" for a lesson without
    // lines.
    common::Result<Load> finishLoad(const common::Status& read) const;

    LessonItems items_;
    std::int16_t lesson_ = 0;
    std::int16_t item_ = 0;
    // Counts the loads begun, so that a load can tell it has been overtaken.
    common::NewestRun loads_;
};

}  // namespace lorvane::companion
