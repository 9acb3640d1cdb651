#pragma once

#include <array>
#include <cstddef>

namespace lorvane::companion {

// The checked entries of the command menu.
enum class MenuOption {
    RandomOrder,   // items drawn at random instead of in order
    AlwaysOnTop,   // the main window stays above other windows
    StartAtLogon,  // the desktop starts the companion; acted on only at exit
};

class MenuOptions {
public:
    bool isOn(MenuOption option) const { return on_[slot(option)]; }
    void set(MenuOption option, bool on) { on_[slot(option)] = on; }

private:
    static std::size_t slot(MenuOption option) { return static_cast<std::size_t>(option); }

    // Random order off, always on top on, start at logon off.
    std::array<bool, 3> on_{false, true, false};
};

}  // namespace lorvane::companion
