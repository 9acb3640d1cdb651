#include "trainer/engine/card_boxes.h"

#include <algorithm>
#include <utility>

namespace lorvane::trainer {

bool CardBoxes::selectEntry(BoxId box, int index) {
    if (!isBox(box) || index < -1 || index >= count(box)) {
        return false;
    }
    at(box).selected = index;
    return true;
}

bool CardBoxes::choose(BoxId box) {
    if (!isBox(box)) {
        return false;
    }
    chosen_ = box;
    return true;
}

void CardBoxes::changed(Box& box, Change change) {
    ++box.revision;
    box.lastChange = change;
}

bool CardBoxes::add(BoxId box, std::string entry) {
    return addAll(box, std::vector<std::string>{std::move(entry)}) == 1;
}

std::size_t CardBoxes::addAll(BoxId box, common::TextLines entries) {
    std::vector<std::string_view>& kept = at(box).entries;
    const std::size_t room = static_cast<std::size_t>(std::max(kMaxListEntries - count(box), 0));
    const std::size_t added = std::min(entries.lines.size(), room);
    if (added == 0) {
        return 0;
    }
    const Change change{Change::Kind::Appended, count(box), static_cast<int>(added)};
    changed(at(box), change);
    texts_.push_back(std::move(entries.text));
    if (kept.empty()) {
        // A lesson or a box read whole: the list itself moves in.
        entries.lines.resize(added);
        kept = std::move(entries.lines);
        return added;
    }
    kept.insert(kept.end(), entries.lines.begin(),
                entries.lines.begin() + static_cast<std::ptrdiff_t>(added));
    return added;
}

std::size_t CardBoxes::addAll(BoxId box, const std::vector<std::string>& entries) {
    return addAll(box, common::TextLines::copyOf(entries));
}

void CardBoxes::clear() {
    for (Box& box : boxes_) {
        if (!box.entries.empty()) {
            changed(box, {});
        }
        box.entries.clear();
        box.selected = -1;
    }
    texts_.clear();
}

CardBoxes::Move CardBoxes::move(BoxId from, int index, BoxId to) {
    Box& source = at(from);
    if (index < 0 || index >= count(from)) {
        return Move::NoSuchEntry;
    }
    if (from != to && isFull(to)) {
        return Move::TargetFull;
    }
    const std::string_view entry = source.entries[static_cast<std::size_t>(index)];
    source.entries.erase(source.entries.begin() + index);
    changed(source, {Change::Kind::Removed, index, 1});
    if (source.selected == index) {
        source.selected = -1;
    } else if (source.selected > index) {
        --source.selected;
    }
    at(to).entries.push_back(entry);
    changed(at(to), {Change::Kind::Appended, count(to) - 1, 1});
    return Move::Moved;
}

}  // namespace lorvane::trainer
