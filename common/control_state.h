#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lorvane::common {

// The state that the programs' windows keep in their controls (captions,
// tags, selections, enabled flags, timers), held as plain data so that the
// engines can run and be tested without any window. The shells show it.

// The most items a list holds: indices are 16-bit signed numbers.
inline constexpr int kMaxListItems = 32767;

struct LabelState {
    std::string caption;
    std::string tag;
    bool visible = true;
};

struct TextBoxState {
    std::string text;
    bool enabled = true;
};

// 0 unchecked, 1 checked, 2 greyed. A greyed box counts as on, as any
// non-zero state did for the old windows.
struct CheckBoxState {
    int value = 0;
    bool checked() const { return value != 0; }
};

struct ButtonState {
    std::string caption;
    bool enabled = true;
};

struct TimerState {
    bool enabled = false;
    int interval = 0;  // milliseconds
    std::string tag;
};

// A list box: its items and the selected index (-1 = none).
class ListBoxState {
public:
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const { return items_[static_cast<std::size_t>(index)]; }
    bool isFull() const { return count() >= kMaxListItems; }

    int selected = -1;

    // Appends `text`; refuses (returning false) once the list is full.
    bool add(std::string text) {
        if (isFull()) {
            return false;
        }
        items_.push_back(std::move(text));
        return true;
    }

    // Removes one item. The selection follows the item it was on, and is
    // lost when that item is the one removed.
    void removeAt(int index) {
        if (index < 0 || index >= count()) {
            return;
        }
        items_.erase(items_.begin() + index);
        if (selected == index) {
            selected = -1;
        } else if (selected > index) {
            --selected;
        }
    }

    void clear() {
        items_.clear();
        selected = -1;
    }

    // Selects `index` when it names an item; anything else is refused.
    bool select(int index) {
        if (index < -1 || index >= count()) {
            return false;
        }
        selected = index;
        return true;
    }

private:
    std::vector<std::string> items_;
};

}  // namespace lorvane::common
