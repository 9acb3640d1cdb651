#pragma once

class QWidget;

namespace lorvane::companion {

// Puts a top-level window into the always-on-top layer or takes it out,
// without moving it or changing whether it is shown. Putting a window that
// is already on top there again raises it to the top of that layer.
void setAlwaysOnTop(QWidget* window, bool onTop);

}  // namespace lorvane::companion
