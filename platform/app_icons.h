#pragma once

#include <QIcon>

namespace lorvane::platform {

// The programs' own icons, drawn once as SVG (data/icons) and rendered at
// build time in every size the desktop asks for: a blue card with an "L" in
// front of an orange one for the trainer, a teal speech bubble with an "M"
// for the companion.
QIcon lorvaneIcon();
QIcon miselleIcon();

}  // namespace lorvane::platform
