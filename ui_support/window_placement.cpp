#include "ui_support/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lorvane::ui {

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

}  // namespace lorvane::ui
