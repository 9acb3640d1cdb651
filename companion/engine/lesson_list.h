#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace lorvane::companion {

// One lesson text in the learner's list.
struct LessonListEntry {
    std::string path;
    bool ticked = false;  // takes part in the rotation of lessons
    bool operator==(const LessonListEntry&) const = default;
};

// The lesson list of the lesson list window: lessons in the order
// the learner added them, each with its tick, and the highlighted entry
// that the delete and study buttons act on.
class LessonList {
public:
    // Indices are 16-bit, as the settings file keeps the current lesson.
    static constexpr int kMaxEntries = 32767;

    const std::vector<LessonListEntry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    bool contains(int index) const { return index >= 0 && index < count(); }
    const LessonListEntry& at(int index) const;

    // Appends a lesson. The list file keeps one path per line, so a path with
    // a line break would split into two broken entries there: such a path is
    // refused, and so is any path once the list holds 32767 lessons; the
    // failure says why, in words for the learner.
    common::Status add(std::string path, bool ticked);

    // The entries after `index` move up by one; the highlight follows its
    // entry and is lost when that entry is removed.
    void removeAt(int index);
    void clear();

    void setTicked(int index, bool ticked);
    bool anyTicked() const;
    int tickedCount() const;

    int highlighted() const { return highlighted_; }
    // -1 takes the highlight away; an index outside the list is refused.
    bool highlight(int index);

private:
    std::vector<LessonListEntry> entries_;
    int highlighted_ = -1;
};

}  // namespace lorvane::companion
