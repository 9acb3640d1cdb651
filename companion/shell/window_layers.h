#pragma once

class QWidget;

namespace lorvane::companion {

// Puts a top-level window into the always-on-top layer or takes it out,
// without moving it or changing whether it is shown. Putting a window that
// is already on top there again raises it to the top of that layer.
void setAlwaysOnTop(QWidget* window, bool onTop);

// Moves a top-level window to the centre of the screen.
void centreOnScreen(QWidget* window);

// Shows a window and raises it; the first time, in the middle of the screen,
// afterwards where the learner left it.
void showRaised(QWidget* window, bool& placed);

}  // namespace lorvane::companion
