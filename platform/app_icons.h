#pragma once

#include <QIcon>

namespace lorvane::platform {

// The programs' own icons, drawn once as SVG (data/icons) and rendered at
// build time: a blue card with an "L" in front of an orange one for the
// trainer, a teal speech bubble with an "M" for the companion. The programs
// hold the sizes a window or the tray shows (16 to 64 pixels); the larger
// ones are installed in the icon theme for launchers and menus.
QIcon lorvaneIcon();
QIcon miselleIcon();

}  // namespace lorvane::platform
