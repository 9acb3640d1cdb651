#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

namespace lorvane::ui {

// Moves a frameless window by a press on it (or on a part of it, such as a
// caption strip): the window system moves it where it can, which keeps the
// move smooth and lets the window snap; elsewhere the window follows the
// pointer by hand.
class WindowDrag {
public:
    // `buttons`: which held buttons keep a move by hand going.
    explicit WindowDrag(QWidget& window, Qt::MouseButtons buttons = Qt::AllButtons)
        : window_(window), buttons_(buttons) {}

    // A press that starts a move; the caller decides which presses do.
    void begin(const QMouseEvent& press);
    // The same, always moved by hand: the window hears the release.
    void beginByHand(const QMouseEvent& press);
    // Whether the window system took the move begun last: the window then
    // hears nothing of the mouse until the button is released.
    bool byWindowSystem() const { return !byHand_; }
    // A pointer move while the press lasts.
    void follow(const QMouseEvent& move);
    void end() { byHand_ = false; }

private:
    QWidget& window_;
    Qt::MouseButtons buttons_;
    bool byHand_ = false;
    QPoint offset_;
};

}  // namespace lorvane::ui
