#include "companion/shell/window_layers.h"

#include <QWidget>

namespace lorvane::companion {

void setAlwaysOnTop(QWidget* window, bool onTop) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        if (onTop && window->isVisible()) {
            window->raise();
        }
        return;
    }
    // Changing a window's flags hides it; Qt keeps its place.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) {
        window->show();
    }
}

}  // namespace lorvane::companion
