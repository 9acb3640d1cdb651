#include "trainer/engine/card_boxes.h"

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

bool CardBoxes::add(BoxId box, std::string entry) {
    if (isFull(box)) {
        return false;
    }
    at(box).entries.push_back(std::move(entry));
    return true;
}

std::size_t CardBoxes::addAll(BoxId box, const std::vector<std::string>& entries) {
    std::size_t added = 0;
    while (added < entries.size() && add(box, entries[added])) {
        ++added;
    }
    return added;
}

void CardBoxes::clear() {
    for (Box& box : boxes_) {
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
    if (source.selected == index) {
        source.selected = -1;
    } else if (source.selected > index) {
        --source.selected;
    }
    at(to).entries.push_back(std::move(entry));
    return Move::Moved;
}

}  // namespace lorvane::trainer
