#include "platform/pointer_buttons.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace lorvane::platform {

std::optional<bool> leftButtonHeld() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return std::nullopt;
    }
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                       &windowY, &mask)) {
        return std::nullopt;  // the pointer is on another screen
    }
    return (mask & Button1Mask) != 0;
}

}  // namespace lorvane::platform
