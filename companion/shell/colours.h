#pragma once

#include <QColor>

#include "companion/engine/companion_window_state.h"

namespace lorvane::companion {

// A stored colour holds red in its low byte, then green, then blue; the
// high byte carries nothing to show.
inline QColor toQColor(Colour colour) {
    const auto value = static_cast<quint32>(colour);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline Colour fromQColor(const QColor& colour) {
    return static_cast<Colour>(static_cast<quint32>(colour.red()) |
                               (static_cast<quint32>(colour.green()) << 8) |
                               (static_cast<quint32>(colour.blue()) << 16));
}

}  // namespace lorvane::companion
