#include "ui_support/window_drag.h"

#include <QWindow>

namespace lorvane::ui {

void WindowDrag::begin(const QMouseEvent& press) {
    QWindow* handle = window_.windowHandle();
    byHand_ = !(handle && handle->startSystemMove());
    offset_ = press.globalPosition().toPoint() - window_.frameGeometry().topLeft();
}

void WindowDrag::beginByHand(const QMouseEvent& press) {
    byHand_ = true;
    offset_ = press.globalPosition().toPoint() - window_.frameGeometry().topLeft();
}

void WindowDrag::follow(const QMouseEvent& move) {
    if (byHand_ && (move.buttons() & buttons_)) {
        window_.move(move.globalPosition().toPoint() - offset_);
    }
}

}  // namespace lorvane::ui
