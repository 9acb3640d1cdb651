#include "companion/shell/window_layers.h"

#include <QGuiApplication>
#include <QScreen>
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

void centreOnScreen(QWidget* window) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen.center());
    window->move(frame.topLeft());
}

void showRaised(QWidget* window, bool& placed) {
    if (!placed) {
        centreOnScreen(window);
        placed = true;
    }
    window->show();
    window->raise();
}

}  // namespace lorvane::companion
