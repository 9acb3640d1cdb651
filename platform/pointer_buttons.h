#pragma once

#include <optional>

namespace lorvane::platform {

// Whether the pointer's left button is held down now, as the X server sees
// it: also while the window manager has the pointer to move a window, when
// the program itself hears nothing of the mouse. Empty where the program
// doesn't run on X11.
std::optional<bool> leftButtonHeld();

}  // namespace lorvane::platform
