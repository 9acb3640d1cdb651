#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace lorvane::platform {

// A key combination that reaches the program from anywhere on the desktop,
// whichever program has the keyboard: the companion's Ctrl+W, which brings
// its hidden window back.
//
// On X11 it is a passive key grab on the root window, taken also with
// CapsLock and NumLock on (the X server matches modifiers exactly, and a
// learner with NumLock on must still reach the companion). On any other
// platform, or when another program already holds the combination,
// registration fails and nothing else happens: the caller carries on without
// a hot key.
//
// Keys: the letters A–Z, the digits 0–9, Space and F1–F35. Modifiers:
// Control, Shift, Alt and Meta. Needs a QGuiApplication; use it on the
// thread that made the application.
class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit GlobalHotKey(Qt::Key key = Qt::Key_W,
                          Qt::KeyboardModifiers modifiers = Qt::ControlModifier,
                          QObject* parent = nullptr);
    ~GlobalHotKey() override;

    GlobalHotKey(const GlobalHotKey&) = delete;
    GlobalHotKey& operator=(const GlobalHotKey&) = delete;

    // Takes the combination. False when the platform has no X11 display, the
    // key or a modifier is not supported, or another program (or another
    // GlobalHotKey of this one) holds it; then nothing is held. True again
    // when already registered.
    bool registerKey();
    // Gives the combination back; nothing when it is not held.
    void unregister();
    bool isRegistered() const { return registered_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The combination was pressed (once per press; held down, the keyboard's
    // auto-repeat sends it again).
    void activated();

private:
    Qt::Key key_;
    Qt::KeyboardModifiers modifiers_;
    bool registered_ = false;
    unsigned int keycode_ = 0;       // X keycode of the key, while registered
    unsigned int modifierMask_ = 0;  // X modifier mask of the modifiers, while registered
};

}  // namespace lorvane::platform
