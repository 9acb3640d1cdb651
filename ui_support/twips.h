#pragma once

#include <QRect>
#include <QtGlobal>

namespace lorvane::ui {

// The windows are laid out in twips, 15 to a logical pixel; Qt scales
// logical pixels for high-DPI screens itself.
inline constexpr int kTwipsPerPixel = 15;

inline int pixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}
inline int twips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

}  // namespace lorvane::ui
