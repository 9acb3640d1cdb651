#include "trainer/engine/card_boxes.h"

#include <algorithm>
#include <iterator>
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
    if (isFull(box)) {
        return false;
    }
    at(box).entries.push_back(std::move(entry));
    changed(at(box), {Change::Kind::Appended, count(box) - 1, 1});
    return true;
}

std::size_t CardBoxes::addAll(BoxId box, std::vector<std::string> entries) {
    std::vector<std::string>& kept = at(box).entries;
    const std::size_t room = static_cast<std::size_t>(std::max(kMaxListEntries - count(box), 0));
    const std::size_t added = std::min(entries.size(), room);
    if (added == 0) {
        return 0;
    }
    const Change change{Change::Kind::Appended, count(box), static_cast<int>(added)};
    changed(at(box), change);
    if (kept.empty()) {
        // A lesson or a box read whole: the list itself moves in.
        entries.resize(added);
        kept = std::move(entries);
        return added;
    }
    kept.reserve(kept.size() + added);
    std::move(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(added),
              std::back_inserter(kept));
    return added;
}

void CardBoxes::clear() {
    for (Box& box : boxes_) {
        if (!box.entries.empty()) {
            changed(box, {});
        }
        box.entries.clear();
        box.selected = -1;
    }
}

CardBoxes::Move CardBoxes::move(BoxId from, int index, BoxId to) {
    Box& source = at(from);
    if (index < 0 || index >= count(from)) {
        return Move::NoSuchEntry;
    }
    if (from != to && isFull(to)) {
        return Move::TargetFull;
    }
    std::string entry = std::move(source.entries[static_cast<std::size_t>(index)]);
    source.entries.erase(source.entries.begin() + index);
    changed(source, {Change::Kind::Removed, index, 1});
    if (source.selected == index) {
        source.selected = -1;
    } else if (source.selected > index) {
        --source.selected;
    }
    at(to).entries.push_back(std::move(entry));
    changed(at(to), {Change::Kind::Appended, count(to) - 1, 1});
    return Move::Moved;
}

}  // namespace lorvane::trainer
