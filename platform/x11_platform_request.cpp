#include "platform/x11_platform_request.h"

#include <QByteArray>
#include <QtGlobal>

namespace lorvane::platform {

namespace {

constexpr char kVariable[] = "QT_QPA_PLATFORM";

// Whether requestX11Platform() set the variable; only then is it taken back.
bool requested = false;

}  // namespace

void requestX11Platform() {
    if (qEnvironmentVariableIsEmpty(kVariable)) {
        // Qt tries the platforms in turn: a Wayland session without XWayland
        // still gets the windows, without their X11 ways.
        requested = qputenv(kVariable, QByteArrayLiteral("xcb;wayland"));
    }
}

void withdrawX11PlatformRequest() {
    if (requested) {
        qunsetenv(kVariable);
        requested = false;
    }
}

}  // namespace lorvane::platform
