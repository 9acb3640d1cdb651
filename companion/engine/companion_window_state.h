#pragma once

#include <cstdint>

namespace lorvane::companion {

// A colour as the settings file keeps it: red in the low byte, then green,
// then blue. Signed, so that any 32-bit value read from the file is written
// back unchanged.
using Colour = std::int32_t;

inline constexpr Colour kWhite = 16777215;
inline constexpr Colour kTeal = 8421376;  // red 0, green 128, blue 128

// The main window's two colours: the meaning and the answer are written in
// `text`; `background` fills the window, and the answer box with it.
struct WindowColours {
    Colour text = kWhite;
    Colour background = kTeal;
    bool operator==(const WindowColours&) const = default;
};

// The main window's top-left corner in twips (15 to a pixel at 96 dots per
// inch), as the settings file keeps it.
struct WindowPlace {
    double left = 400;
    double top = 20;
    bool operator==(const WindowPlace&) const = default;
};

}  // namespace lorvane::companion
