#include "platform/global_hot_key.h"

#include <QGuiApplication>
#include <algorithm>
#include <vector>

// X11 headers last: their macros (None, Bool, KeyPress …) clash with Qt's.
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace lorvane::platform {

namespace {

// CapsLock and NumLock change the modifier state the X server compares with
// a grab, so every combination is grabbed four times: plain, with CapsLock,
// with NumLock, with both. Mod2 is NumLock on every common keyboard map.
constexpr unsigned int kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};
// The modifier bits that decide whether a key press is the combination.
constexpr unsigned int kRelevantModifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// The X display Qt talks to, or nullptr when the program doesn't run on X11
// (offscreen, Wayland, a QCoreApplication, or no application at all).
Display* x11Display() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The X keysym of a Qt key, or NoSymbol for keys we don't offer.
KeySym keysymFor(Qt::Key key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return XK_a + (key - Qt::Key_A);  // the unshifted symbol names the key
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return XK_0 + (key - Qt::Key_0);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return XK_F1 + (key - Qt::Key_F1);
    }
    if (key == Qt::Key_Space) {
        return XK_space;
    }
    return NoSymbol;
}

// The X modifier mask of Qt modifiers; false for modifiers we don't offer.
bool modifierMaskFor(Qt::KeyboardModifiers modifiers, unsigned int* mask) {
    constexpr Qt::KeyboardModifiers kOffered =
        Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    if (modifiers & ~kOffered) {
        return false;
    }
    *mask = 0;
    *mask |= modifiers.testFlag(Qt::ControlModifier) ? ControlMask : 0;
    *mask |= modifiers.testFlag(Qt::ShiftModifier) ? ShiftMask : 0;
    *mask |= modifiers.testFlag(Qt::AltModifier) ? Mod1Mask : 0;
    *mask |= modifiers.testFlag(Qt::MetaModifier) ? Mod4Mask : 0;
    return true;
}

// The X server grants a grab to one client; the same client grabbing twice
// just takes it again. So two GlobalHotKeys of one program must be kept
// apart here: the second one fails, as it would in another program.
std::vector<const GlobalHotKey*>& registeredKeys() {
    static std::vector<const GlobalHotKey*> keys;
    return keys;
}

// Counts failed XGrabKey requests while installed. A grab that another
// client holds fails asynchronously with BadAccess, and Xlib's default
// reaction to an error is to end the program, so the handler is in place
// while the grab requests are sent and until XSync has brought back every
// answer. Other errors go on to the handler that was there before.
class GrabErrorTrap {
public:
    explicit GrabErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);  // earlier errors are not ours
        failedGrabs_ = 0;
        previous_ = XSetErrorHandler(&GrabErrorTrap::onError);
    }
    ~GrabErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    GrabErrorTrap(const GrabErrorTrap&) = delete;
    GrabErrorTrap& operator=(const GrabErrorTrap&) = delete;

    // Waits for the server's answers; true when every grab was granted.
    bool allGranted() {
        XSync(display_, False);
        return failedGrabs_ == 0;
    }

private:
    static int onError(Display* display, XErrorEvent* error) {
        if (error->request_code == X_GrabKey) {
            ++failedGrabs_;
            return 0;
        }
        return previous_ ? previous_(display, error) : 0;
    }

    Display* display_;
    static inline int failedGrabs_ = 0;
    static inline XErrorHandler previous_ = nullptr;
};

void ungrabAll(Display* display, unsigned int keycode, unsigned int modifierMask) {
    const Window root = DefaultRootWindow(display);
    for (unsigned int variant : kLockVariants) {
        // Ungrabbing a combination another client holds leaves it alone.
        XUngrabKey(display, static_cast<int>(keycode), modifierMask | variant, root);
    }
    XSync(display, False);
}

}  // namespace

GlobalHotKey::GlobalHotKey(Qt::Key key, Qt::KeyboardModifiers modifiers, QObject* parent)
    : QObject(parent), key_(key), modifiers_(modifiers) {}

GlobalHotKey::~GlobalHotKey() {
    unregister();
}

bool GlobalHotKey::registerKey() {
    if (registered_) {
        return true;
    }
    Display* display = x11Display();
    const KeySym keysym = keysymFor(key_);
    unsigned int modifierMask = 0;
    if (!display || keysym == NoSymbol || !modifierMaskFor(modifiers_, &modifierMask)) {
        return false;
    }
    const unsigned int keycode = XKeysymToKeycode(display, keysym);
    if (keycode == 0) {
        return false;  // the keyboard map has no such key
    }
    auto& keys = registeredKeys();
    const bool takenHere = std::any_of(keys.begin(), keys.end(), [&](const GlobalHotKey* other) {
        return other->keycode_ == keycode && other->modifierMask_ == modifierMask;
    });
    if (takenHere) {
        return false;
    }

    bool granted = false;
    {
        GrabErrorTrap trap(display);
        const Window root = DefaultRootWindow(display);
        for (unsigned int variant : kLockVariants) {
            XGrabKey(display, static_cast<int>(keycode), modifierMask | variant, root, True,
                     GrabModeAsync, GrabModeAsync);
        }
        granted = trap.allGranted();
    }
    if (!granted) {
        // All or nothing: a hot key that works only with CapsLock off would
        // puzzle the learner more than none.
        ungrabAll(display, keycode, modifierMask);
        return false;
    }

    keycode_ = keycode;
    modifierMask_ = modifierMask;
    registered_ = true;
    keys.push_back(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void GlobalHotKey::unregister() {
    if (!registered_) {
        return;
    }
    auto& keys = registeredKeys();
    keys.erase(std::remove(keys.begin(), keys.end(), this), keys.end());
    registered_ = false;
    // Once the application is gone its X connection is closed, and with it
    // every grab: there is nothing left to give back then.
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    if (Display* display = x11Display()) {
        ungrabAll(display, keycode_, modifierMask_);
    }
    keycode_ = 0;
    modifierMask_ = 0;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!registered_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int kind = event->response_type & 0x7f;  // the top bit marks sent events
    if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) {
        return false;
    }
    // Press and release events share one layout.
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    // The key alone is not enough: while one of our own windows has the
    // keyboard, every plain "w" typed into it passes here too.
    if (key->detail != keycode_ || (key->state & kRelevantModifiers) != modifierMask_) {
        return false;
    }
    if (kind == XCB_KEY_PRESS) {
        emit activated();
    }
    // Swallowed: a hot key is no typing. (On Xvfb the grabbed press comes
    // on the root window, which Qt ignores anyway, even while one of our own
    // windows has the keyboard; this keeps it so on any server.)
    return true;
}

}  // namespace lorvane::platform
