#include "companion/engine/lesson_list.h"

#include <algorithm>

namespace lorvane::companion {

const LessonListEntry& LessonList::at(int index) const {
    return entries_.at(static_cast<std::size_t>(index));
}

common::Status LessonList::add(std::string path, bool ticked) {
    if (path.find_first_of("\r\n") != std::string::npos) {
        return common::Failure{
            "课文路径中含有换行符，无法保存到课文列表中。请把文件改名或移到别的文件夹后再加入。"};
    }
    if (count() >= kMaxEntries) {
        return common::Failure{"课文列表已满（最多32767篇课文），请先删除一些课文。"};
    }
    entries_.push_back({std::move(path), ticked});
    return {};
}

void LessonList::removeAt(int index) {
    if (!contains(index)) {
        return;
    }
    entries_.erase(entries_.begin() + index);
    if (highlighted_ == index) {
        highlighted_ = -1;
    } else if (highlighted_ > index) {
        --highlighted_;
    }
}

void LessonList::clear() {
    entries_.clear();
    highlighted_ = -1;
}

void LessonList::setTicked(int index, bool ticked) {
    if (contains(index)) {
        entries_[static_cast<std::size_t>(index)].ticked = ticked;
    }
}

bool LessonList::anyTicked() const {
    return std::ranges::any_of(entries_, &LessonListEntry::ticked);
}

int LessonList::tickedCount() const {
    return static_cast<int>(std::ranges::count_if(entries_, &LessonListEntry::ticked));
}

bool LessonList::highlight(int index) {
    if (index != -1 && !contains(index)) {
        return false;
    }
    highlighted_ = index;
    return true;
}

}  // namespace lorvane::companion
