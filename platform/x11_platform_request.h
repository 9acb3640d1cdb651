#pragma once

namespace lorvane::platform {

// The programs place their windows themselves, keep them on top and grab a
// desktop-wide hot key: X11 lets a program do all three, Wayland none. In a
// Wayland session (Debian's GNOME starts one by default) Qt would pick its
// Wayland platform when that plugin is installed, so the programs ask for
// X11, which such a session offers through XWayland.

// Before the QApplication is made: asks Qt for its X11 platform, and for
// Wayland only where no X server can be reached, unless the user chose a
// platform himself (QT_QPA_PLATFORM, "offscreen" for the tests, say).
void requestX11Platform();

// Right after the QApplication is made: takes the request back out of the
// environment, so that the programs started from ours (the companion, the
// desktop's document viewer) choose their platform as they would have.
void withdrawX11PlatformRequest();

}  // namespace lorvane::platform
