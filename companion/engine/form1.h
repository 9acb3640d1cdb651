#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/control_state.h"

namespace lorvane::companion {

// A colour as the settings file keeps it: red in the low byte, then green,
// then blue. Signed, so that any 32-bit value read from the file is written
// back unchanged.
using Colour = std::int32_t;

inline constexpr Colour kWhite = 16777215;
inline constexpr Colour kTeal = 8421376;  // red 0, green 128, blue 128

// Set as the main window's tag once the learner has confirmed the exit; the
// lesson list window lets itself be destroyed only then.
inline constexpr std::string_view kExitMarker = "退出";

struct ColouredLabel : common::LabelState {
    Colour foreColor = kWhite;
    Colour backColor = kTeal;
};

struct ColouredTextBox : common::TextBoxState {
    Colour foreColor = kWhite;
    Colour backColor = kTeal;
};

// The main window: the meaning on show, the answer box and the lesson's items.
struct Form1 {
    // Caption: the meaning the learner sees. Tag: the hidden English, which
    // is both the expected answer and what is spoken.
    ColouredLabel Label1;
    ColouredTextBox Text1;
    // The lines of the lesson in memory, blank lines included; never shown.
    common::ListBoxState List1;
    std::string tag;  // kExitMarker from the confirmed exit on
    Colour backColor = kTeal;
    // Window edges in twips (15 to a pixel at 96 dots per inch). The shell
    // keeps them current, settings save writes them.
    double top = 20;
    double left = 400;
};

}  // namespace lorvane::companion
