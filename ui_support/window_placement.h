#pragma once

class QWidget;

namespace lorvane::ui {

// Moves a top-level window to the centre of the primary screen.
void centreOnScreen(QWidget* window);

// Shows a window and raises it; the first time (`placed` false, then set)
// in the centre of the screen, afterwards where the learner left it.
void showRaised(QWidget* window, bool& placed);

}  // namespace lorvane::ui
