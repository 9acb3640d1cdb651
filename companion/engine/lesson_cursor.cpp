#include "companion/engine/lesson_cursor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/lesson_reader.h"
#include "common/random_source.h"

namespace lorvane::companion {

namespace {

// A step past either end is kept at the end instead of overflowing; the
// moves then treat it as outside the list.
std::int16_t clampToInt16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

void LessonCursor::setLesson(int index) {
    lesson_ = clampToInt16(index);
}

void LessonCursor::setItem(int index) {
    item_ = clampToInt16(index);
}

std::string_view LessonCursor::currentItemText() const {
    const bool inList = item_ >= 0 && item_ < itemCount();
    return inList ? items_[static_cast<std::size_t>(item_)] : "";
}

namespace {

// Appends the lines of the lesson at `path` to `items`, up to the limit,
// running `goOn` after each; false from it stops the read.
common::Status readItems(const std::string& path, LessonItems& items,
                         const std::function<bool()>& goOn) {
    const common::Result<std::size_t> read = common::readCompanionLesson(
        path,
        [&](const std::string& item) {
            if (items.size() >= LessonCursor::kMaxItems) {
                return false;  // a full list keeps its first 32767 lines
            }
            items.append(item);
            return goOn();
        },
        [&](std::size_t lines, std::size_t bytes) { items.reserve(lines, bytes); });
    if (!read) {
        return common::Failure{"打不开：" + read.message()};
    }
    return {};
}

}  // namespace

ReadLesson readLesson(std::string path) {
    ReadLesson read{std::move(path), {}, {}};
    read.status = readItems(read.path, read.items, [] { return true; });
    return read;
}

// Lines are added as they are read and `afterLine` lets the window run
// between them, so a key can run a move meanwhile. If that move loads a
// lesson itself, the newer load wins: this one stops at once, before its
// lines can mix with the new lesson's.
common::Result<LessonCursor::Load> LessonCursor::load(const std::string& path,
                                                      const std::function<void()>& afterLine) {
    const common::NewestRun::Number thisLoad = loads_.begin();
    items_.clear();
    const common::Status read = readItems(path, items_, [&] {
        afterLine();
        return loads_.isNewest(thisLoad);
    });
    if (!loads_.isNewest(thisLoad)) {
        return Load::Overtaken;
    }
    return finishLoad(read);
}

common::Result<LessonCursor::Load> LessonCursor::load(ReadLesson read) {
    // Any load still letting the window run stops at its next line.
    (void)loads_.begin();
    items_ = std::move(read.items);
    return finishLoad(read.status);
}

common::Result<LessonCursor::Load> LessonCursor::finishLoad(const common::Status& read) const {
    if (!read) {
        return common::Failure{read.message()};
    }
    if (items_.empty()) {
        return common::Failure{"课文是空的"};
    }
    return Load::Finished;
}

std::int16_t LessonCursor::drawItem(common::RandomSource& random) const {
    const int n = itemCount();
    const float drawn = static_cast<float>(n - 1) * random.next() + 1.0f;
    int index = static_cast<int>(std::floor(drawn));
    // In single precision the highest draws round up to n when n − 1 is a
    // power of two, which would leave the lesson. With fewer than two items
    // every draw is meant to leave it.
    if (n >= 2) {
        index = std::min(index, n - 1);
    }
    return static_cast<std::int16_t>(index);
}

}  // namespace lorvane::companion
