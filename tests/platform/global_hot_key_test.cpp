#include "platform/global_hot_key.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "tests/platform/helper_process.h"

// X11 headers last: their macros clash with Qt's.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace lorvane::platform;

// The hot key on a real X server (Xvfb under ctest), with the keys typed by
// xdotool through the XTEST extension, exactly as a keyboard would: without
// --window, which would send the events straight to a window and bypass any
// grab. The same binary also runs under the offscreen platform, where
// registration must fail quietly.

namespace {

bool g_noDisplay = false;  // set by main() when the xcb platform had nothing to connect to

bool xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}
bool type(const QString& keys) {
    return xdotool({"key", keys});
}

// A second X client of the test's own, for what another program on the
// desktop would do: hold part of a combination, look at the lock keys.
class OtherClient {
public:
    OtherClient() : display_(XOpenDisplay(nullptr)) {}
    ~OtherClient() {
        if (display_) {
            XCloseDisplay(display_);  // which also drops its grabs
        }
    }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool isConnected() const { return display_ != nullptr; }

    // Grabs W with exactly these modifiers; false when the server refuses.
    bool grabW(unsigned int modifiers) {
        XSync(display_, False);
        s_errors = 0;
        const XErrorHandler previous = XSetErrorHandler(&OtherClient::countError);
        XGrabKey(display_, XKeysymToKeycode(display_, XK_w), modifiers, DefaultRootWindow(display_),
                 True, GrabModeAsync, GrabModeAsync);
        XSync(display_, False);
        XSetErrorHandler(previous);
        return s_errors == 0;
    }

    // The modifier state of the keyboard, lock keys included.
    unsigned int modifierState() {
        Window root = 0;
        Window child = 0;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned int mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                      &mask);
        return mask;
    }

private:
    static int countError(Display*, XErrorEvent*) {
        ++s_errors;
        return 0;
    }
    static inline int s_errors = 0;
    Display* display_;
};

// A window of the program that has the keyboard, and records what it gets.
class KeyWindow : public QRasterWindow {
public:
    QList<QKeyCombination> presses;

protected:
    void keyPressEvent(QKeyEvent* event) override { presses.append(event->keyCombination()); }
};

}  // namespace

class GlobalHotKeyTest : public QObject {
    Q_OBJECT

private:
    static bool onX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

    // No key press arrives within half a second.
    static void expectNothing(QSignalSpy& spy) {
        QTest::qWait(500);
        QCOMPARE(spy.count(), 0);
    }

    // Switches CapsLock and NumLock off again, whatever a test left on.
    static void switchLocksOff() {
        OtherClient client;
        if (!client.isConnected()) {
            return;
        }
        if (client.modifierState() & LockMask) {
            type("Caps_Lock");
        }
        if (client.modifierState() & Mod2Mask) {
            type("Num_Lock");
        }
    }

private slots:
    // One test is for the offscreen platform, all others for a real X server.
    void init() {
        const bool offscreenTest =
            QByteArray(QTest::currentTestFunction()) == "registrationFailsQuietlyWithoutX11";
        if (offscreenTest && onX11()) {
            QSKIP("runs under the offscreen platform (QT_QPA_PLATFORM=offscreen)");
        }
        if (!offscreenTest && g_noDisplay) {
            QSKIP("DISPLAY is not set: the hot key needs an X server (run under xvfb-run)");
        }
        if (!offscreenTest && !onX11()) {
            QSKIP("needs the xcb platform (QT_QPA_PLATFORM=xcb)");
        }
        if (onX11()) {
            switchLocksOff();
        }
    }
    void cleanup() {
        if (onX11()) {
            switchLocksOff();
        }
    }

    void registrationFailsQuietlyWithoutX11() {
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(!hotKey.registerKey());
        QVERIFY(!hotKey.isRegistered());
        hotKey.unregister();
        QCOMPARE(spy.count(), 0);
    }

    void ctrlWArrives() {
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(hotKey.registerKey());
        QVERIFY(hotKey.isRegistered());
        QVERIFY(type("ctrl+w"));
        QVERIFY(spy.wait(3000));
        QVERIFY(type("ctrl+w"));
        QTRY_COMPARE(spy.count(), 2);  // once per press
        QTest::qWait(200);
        QCOMPARE(spy.count(), 2);  // the release is not a second press
    }

    void ctrlWArrivesWithLockKeysOn_data() {
        QTest::addColumn<QStringList>("locks");
        QTest::addColumn<unsigned int>("mask");
        QTest::newRow("CapsLock") << QStringList{"Caps_Lock"} << unsigned(LockMask);
        QTest::newRow("NumLock") << QStringList{"Num_Lock"} << unsigned(Mod2Mask);
        QTest::newRow("both") << QStringList{"Caps_Lock", "Num_Lock"}
                              << unsigned(LockMask | Mod2Mask);
    }
    void ctrlWArrivesWithLockKeysOn() {
        QFETCH(QStringList, locks);
        QFETCH(unsigned int, mask);
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(hotKey.registerKey());
        for (const QString& lock : locks) {
            QVERIFY(type(lock));
        }
        OtherClient client;
        QVERIFY(client.isConnected());
        QCOMPARE(client.modifierState() & (LockMask | Mod2Mask), mask);  // really on
        QVERIFY(type("ctrl+w"));
        QVERIFY(spy.wait(3000));
    }

    void otherCombinationsDoNotCount() {
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(hotKey.registerKey());
        QVERIFY(type("w"));
        QVERIFY(type("ctrl+shift+w"));
        QVERIFY(type("ctrl+q"));
        expectNothing(spy);
    }

    // While a window of the program has the keyboard, every key passes
    // through the program's event filter: typing "w" there is typing, and
    // Ctrl+W is the hot key, which the window then doesn't also get.
    void inTheProgramsOwnWindowOnlyTheCombinationCounts() {
        KeyWindow window;
        window.resize(200, 100);
        window.show();
        window.requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(hotKey.registerKey());

        QVERIFY(type("w"));
        QTRY_VERIFY(window.presses.contains(QKeyCombination(Qt::Key_W)));
        QCOMPARE(spy.count(), 0);

        window.presses.clear();
        QVERIFY(type("ctrl+w"));
        QVERIFY(spy.wait(3000));
        QTest::qWait(200);
        QVERIFY(!window.presses.contains(QKeyCombination(Qt::ControlModifier, Qt::Key_W)));
    }

    void anotherCombinationCanBeChosen() {
        GlobalHotKey companion;  // Ctrl+W
        GlobalHotKey other(Qt::Key_F7, Qt::ShiftModifier | Qt::AltModifier);
        QSignalSpy companionSpy(&companion, &GlobalHotKey::activated);
        QSignalSpy otherSpy(&other, &GlobalHotKey::activated);
        QVERIFY(companion.registerKey());
        QVERIFY(other.registerKey());
        QVERIFY(type("shift+alt+F7"));
        QVERIFY(otherSpy.wait(3000));
        QVERIFY(type("ctrl+w"));
        QVERIFY(companionSpy.wait(3000));
        QCOMPARE(otherSpy.count(), 1);
        QCOMPARE(companionSpy.count(), 1);
    }

    void unsupportedKeysAndModifiersFail() {
        GlobalHotKey escape(Qt::Key_Escape);
        QVERIFY(!escape.registerKey());
        GlobalHotKey keypad(Qt::Key_W, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(!keypad.registerKey());
        QVERIFY(!keypad.isRegistered());
    }

    void aSecondHotKeyOfTheSameProgramFails() {
        GlobalHotKey first;
        GlobalHotKey second;
        QSignalSpy secondSpy(&second, &GlobalHotKey::activated);
        QVERIFY(first.registerKey());
        QVERIFY(!second.registerKey());
        QVERIFY(!second.isRegistered());
        // The failed second one must not have taken the first one's grab away.
        QSignalSpy firstSpy(&first, &GlobalHotKey::activated);
        QVERIFY(type("ctrl+w"));
        QVERIFY(firstSpy.wait(3000));
        QCOMPARE(secondSpy.count(), 0);
        first.unregister();
        QVERIFY(second.registerKey());
        QVERIFY(type("ctrl+w"));
        QVERIFY(secondSpy.wait(3000));
    }

    void anotherProgramHoldingTheKeyMakesRegistrationFail() {
        HelperProcess other({"grab"});
        QCOMPARE(other.answer(), QString("grabbed"));
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(!hotKey.registerKey());  // and the refused grab did not end this program
        QVERIFY(!hotKey.isRegistered());
        QVERIFY(type("ctrl+w"));
        expectNothing(spy);
        QCOMPARE(other.release(), 0);
        QVERIFY(hotKey.registerKey());
        QVERIFY(type("ctrl+w"));
        QVERIFY(spy.wait(3000));
    }

    void whileRegisteredNoOtherProgramGetsTheKey() {
        GlobalHotKey hotKey;
        QVERIFY(hotKey.registerKey());
        HelperProcess other({"grab"});
        QCOMPARE(other.answer(), QString("busy"));
        QCOMPARE(other.release(), 1);
    }

    // Another program holds the combination only with CapsLock on: the
    // registration fails as a whole and gives back what it did get.
    void aPartlyRefusedRegistrationHoldsNothing() {
        OtherClient other;
        QVERIFY(other.isConnected());
        QVERIFY(other.grabW(ControlMask | LockMask));
        GlobalHotKey hotKey;
        QVERIFY(!hotKey.registerKey());
        QVERIFY(!hotKey.isRegistered());
        QVERIFY(other.grabW(ControlMask));
        QVERIFY(other.grabW(ControlMask | Mod2Mask));
        QVERIFY(other.grabW(ControlMask | LockMask | Mod2Mask));
    }

    void afterUnregisterTheKeyIsGone() {
        GlobalHotKey hotKey;
        QSignalSpy spy(&hotKey, &GlobalHotKey::activated);
        QVERIFY(hotKey.registerKey());
        QVERIFY(hotKey.registerKey());  // a second call changes nothing
        hotKey.unregister();
        QVERIFY(!hotKey.isRegistered());
        QVERIFY(type("ctrl+w"));
        expectNothing(spy);
        // Given back to the X server, not just ignored here.
        HelperProcess other({"grab"});
        QCOMPARE(other.answer(), QString("grabbed"));
        QCOMPARE(other.release(), 0);
        hotKey.unregister();  // a second call does nothing either
    }

    void destroyingTheHotKeyGivesTheKeyBack() {
        {
            GlobalHotKey hotKey;
            QVERIFY(hotKey.registerKey());
        }
        HelperProcess other({"grab"});
        QCOMPARE(other.answer(), QString("grabbed"));
        QCOMPARE(other.release(), 0);
    }
};

int main(int argc, char** argv) {
    // The xcb platform aborts the program when it cannot reach an X server;
    // without one the tests that need it are skipped with a reason instead.
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_noDisplay = true;
    }
    QGuiApplication app(argc, argv);
    GlobalHotKeyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "global_hot_key_test.moc"
