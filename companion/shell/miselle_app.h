#pragma once

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "common/paced_events.h"
#include "common/random_source.h"
#include "companion/engine/companion_engine.h"
#include "companion/engine/companion_ui.h"
#include "companion/shell/command_menu.h"
#include "companion/shell/commands.h"
#include "companion/shell/companion_dialogs.h"
#include "companion/shell/lesson_list_window.h"
#include "companion/shell/main_window.h"
#include "companion/shell/voice_dialog.h"
#include "platform/global_hot_key.h"

namespace lorvane::speech {
class Voice;
}  // namespace lorvane::speech

namespace lorvane::companion {

// The companion put together: the main window, its menu and tray icon, the
// voice settings dialog and the lesson list window over the engine, with the
// hot key Ctrl+W and the desktop's services. Every learner action reaches
// the engine through one named slot here (Enter through the main window's
// own), and after it the windows repaint what the engine says changed.
//
// Ownership: the windows, the menu and the tray icon are top-level objects
// without a Qt parent, each held here by a unique_ptr; their controls
// belong to them by Qt parent.
class MiselleApp : public QObject, public CompanionUi {
    Q_OBJECT

public:
    // What the companion asks of the desktop; tests put their own in.
    struct Desktop {
        std::function<bool(const QString& path)> openDocument;
        // The entry that starts `executable` at logon, named `name`.
        std::function<bool(const QString& name, const QString& executable)> writeAutostart;
        std::function<bool(const QString& name)> removeAutostart;
        // Ends the program's event loop.
        std::function<void()> quit;
        // The clock that paces the events during a lesson load; the steady
        // clock when empty.
        common::PacedEvents::Clock clock;
    };
    // The desktop of a real run: the document opener, the XDG autostart
    // entry and the application's event loop.
    static Desktop realDesktop();

    // `executableName` is the file name the program was started as, in
    // `programFolder`.
    MiselleApp(QString programFolder, QString executableName, speech::Voice& voice,
               Desktop desktop);
    ~MiselleApp() override;

    // The lesson the settings reopen, read ahead; the start takes it when
    // its load is of that lesson.
    void offerLessonReadAhead(std::future<std::optional<ReadLesson>> readAhead) {
        engine_.offerLessonReadAhead(std::move(readAhead));
    }
    // The load of the main window, then showing it: settings, tray icon,
    // the start-up display, the hot key.
    void start();

    // True once the learner has confirmed the exit.
    bool exited() const { return engine_.exiting(); }

    const CompanionEngine& engine() const { return engine_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    CommandMenu& menu() { return *menu_; }
    QSystemTrayIcon& trayIcon() { return *tray_; }
    platform::GlobalHotKey& hotKey() { return hotKey_; }
    // Null until first opened, and once the exit has destroyed them.
    VoiceDialog* voiceDialog() { return voiceDialog_.get(); }
    LessonListWindow* lessonListWindow() { return lessonListWindow_.get(); }

    // CompanionUi
    std::string chooseLessonFile() override;
    void reportRefusedLesson(const std::string& reason) override;
    void showLessonList() override;
    void hideLessonList() override;
    void processPendingEvents() override;

public slots:
    // Runs one command of a key, a menu entry, a button or the hot key.
    void run(Command command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Shows in every window what the engine has changed since the last time.
    void repaint();
    void popupMenu(const QPoint& globalPos);
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void popupMenuAtCursor();
    // Ctrl+W and the menu's 显示窗体: position, layer and item stay as they were.
    void showMainWindow();
    void addLesson();
    void deleteLesson();
    void studyLesson();
    void tickLesson(int index, bool ticked);
    void highlightLesson(int index);
    void selectVoice(int index);
    void setRate(int rate);
    void setVolume(int volume);

private:
    void chooseTextColour();
    void chooseBackgroundColour();
    // The window, made now if this is its first showing; null once the
    // exit has begun.
    VoiceDialog* openedVoiceDialog();
    LessonListWindow* openedLessonListWindow();
    // Asks, and on OK saves and takes everything down; false on Cancel.
    bool exitSequence();

    QString programFolder_;
    QString executableName_;
    Desktop desktop_;
    common::ClassicRandom random_;
    CompanionEngine engine_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<CommandMenu> menu_;
    std::unique_ptr<VoiceDialog> voiceDialog_;
    std::unique_ptr<LessonListWindow> lessonListWindow_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    platform::GlobalHotKey hotKey_{Qt::Key_W, Qt::ControlModifier};
    LessonFileChooser lessonFiles_;
    ColourChooser colours_;
    // The engine asks after every line of a lesson it loads; the events run
    // every few milliseconds of the load.
    common::PacedEvents pendingEvents_;
    bool awaitingTrayRelease_ = false;
};

}  // namespace lorvane::companion
