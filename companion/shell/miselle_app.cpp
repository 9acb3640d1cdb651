#include "companion/shell/miselle_app.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include "common/paths.h"
#include "companion/engine/startup_value.h"
#include "companion/shell/window_layers.h"
#include "platform/app_icons.h"
#include "platform/autostart_entry.h"
#include "platform/document_opener.h"

namespace lorvane::companion {

MiselleApp::Desktop MiselleApp::realDesktop() {
    return {
        [](const QString& path) { return platform::openDocument(path); },
        [](const QString& name, const QString& executable) {
            return platform::writeAutostartEntry(name, executable);
        },
        [](const QString& name) { return platform::removeAutostartEntry(name); },
        [] { QCoreApplication::quit(); },
        {},  // the steady clock
    };
}

MiselleApp::MiselleApp(QString programFolder, QString executableName, speech::Voice& voice,
                       Desktop desktop)
    : programFolder_(std::move(programFolder)),
      executableName_(std::move(executableName)),
      desktop_(std::move(desktop)),
      engine_(programFolder_.toStdString(), voice, random_, *this),
      pendingEvents_([] { QCoreApplication::processEvents(); }, desktop_.clock) {
    keepQtSettingsOffDisk();

    mainWindow_ = std::make_unique<MainWindow>(engine_);
    connect(mainWindow_.get(), &MainWindow::commandGiven, this, &MiselleApp::run);
    connect(mainWindow_.get(), &MainWindow::menuRequested, this, &MiselleApp::popupMenu);
    connect(mainWindow_.get(), &MainWindow::engineActed, this, &MiselleApp::repaint);
    mainWindow_->setCloseGuard(std::bind_front(&MiselleApp::exitSequence, this));

    menu_ = std::make_unique<CommandMenu>();
    connect(menu_.get(), &CommandMenu::commandGiven, this, &MiselleApp::run);

    tray_ = std::make_unique<QSystemTrayIcon>();
    connect(tray_.get(), &QSystemTrayIcon::activated, this, &MiselleApp::trayActivated);
    connect(&hotKey_, &platform::GlobalHotKey::activated, this, &MiselleApp::showMainWindow);
}

MiselleApp::~MiselleApp() {
    if (awaitingTrayRelease_) {
        qApp->removeEventFilter(this);
    }
}

// The voice settings dialog and the lesson list window show what the
// engine holds; each is made the first time the learner opens it and kept
// until the exit. Made at the start, their lists and scroll bars cost the
// start some 7 ms for windows most runs never open.
VoiceDialog* MiselleApp::openedVoiceDialog() {
    if (!voiceDialog_ && !engine_.exiting()) {
        voiceDialog_ = std::make_unique<VoiceDialog>(engine_.voiceSettings());
        connect(voiceDialog_.get(), &VoiceDialog::voiceChosen, this, &MiselleApp::selectVoice);
        connect(voiceDialog_.get(), &VoiceDialog::rateChanged, this, &MiselleApp::setRate);
        connect(voiceDialog_.get(), &VoiceDialog::volumeChanged, this, &MiselleApp::setVolume);
    }
    return voiceDialog_.get();
}

LessonListWindow* MiselleApp::openedLessonListWindow() {
    if (!lessonListWindow_ && !engine_.exiting()) {
        lessonListWindow_ = std::make_unique<LessonListWindow>(engine_);
        LessonListWindow* lessons = lessonListWindow_.get();
        connect(lessons, &LessonListWindow::addClicked, this, &MiselleApp::addLesson);
        connect(lessons, &LessonListWindow::deleteClicked, this, &MiselleApp::deleteLesson);
        connect(lessons, &LessonListWindow::studyClicked, this, &MiselleApp::studyLesson);
        connect(lessons, &LessonListWindow::tickChanged, this, &MiselleApp::tickLesson);
        connect(lessons, &LessonListWindow::highlightChanged, this, &MiselleApp::highlightLesson);
    }
    return lessonListWindow_.get();
}

void MiselleApp::start() {
    engine_.loadSettings();
    mainWindow_->applyGeometry();
    repaint();

    // Without a tray (some desktops have none) the icon simply doesn't
    // show; the window and the hot key still bring everything back.
    tray_->setIcon(platform::miselleIcon());
    tray_->show();
    tray_->setToolTip(QStringLiteral("Miselle"));

    engine_.startupDisplay();
    if (engine_.exiting()) {
        return;  // the learner left through the tray's menu while the lesson loaded
    }
    // Taken by another program, Ctrl+W just does nothing here.
    if (!hotKey_.registerKey()) {
        qInfo("Miselle: Ctrl+W is taken by another program");
    }
    repaint();
    mainWindow_->show();
    mainWindow_->activateWindow();
}

void MiselleApp::run(Command command) {
    switch (command) {
        case Command::SpeakWord:
            engine_.speakWord();
            break;
        case Command::RevealEnglish:
            engine_.revealEnglish();
            break;
        case Command::PreviousItem:
            engine_.previousItem();
            break;
        case Command::NextItem:
            engine_.nextItem();
            break;
        case Command::PreviousGroup:
            engine_.previousGroup();
            break;
        case Command::NextGroup:
            engine_.nextGroup();
            break;
        case Command::VoiceSettings:
            if (VoiceDialog* dialog = openedVoiceDialog()) {
                dialog->showDialog();
            }
            break;
        case Command::LessonList:
            engine_.showLessonList();
            break;
        case Command::TextColour:
            chooseTextColour();
            break;
        case Command::BackgroundColour:
            chooseBackgroundColour();
            break;
        case Command::ToggleRandomOrder:
            engine_.toggleOption(MenuOption::RandomOrder);
            break;
        case Command::HideWindow:
            mainWindow_->hide();
            break;
        case Command::Exit:
            mainWindow_->close();
            break;
        case Command::ShowWindow:
            showMainWindow();
            break;
        case Command::ToggleAlwaysOnTop:
            engine_.toggleOption(MenuOption::AlwaysOnTop);
            break;
        case Command::ToggleStartAtLogon:
            engine_.toggleOption(MenuOption::StartAtLogon);
            break;
        case Command::Help:
            if (!desktop_.openDocument(programFolder_ + QStringLiteral("/Lorvane说明.htm"))) {
                qInfo("Miselle: the help could not be opened");
            }
            break;
    }
    repaint();
}

void MiselleApp::repaint() {
    const Changes changes = engine_.takeChanges();
    if (!changes.any()) {
        return;
    }
    mainWindow_->repaint(changes);
    if (changes.has(Change::Layer)) {
        setAlwaysOnTop(mainWindow_.get(), engine_.options().isOn(MenuOption::AlwaysOnTop));
    }
    if (changes.has(Change::Options)) {
        menu_->showOptions(engine_.options());
    }
    if (changes.has(Change::Voice) && voiceDialog_) {
        voiceDialog_->refresh();
    }
    if (changes.has(Change::Lessons) && lessonListWindow_) {
        lessonListWindow_->refresh();
    }
}

void MiselleApp::popupMenu(const QPoint& globalPos) {
    menu_->popup(globalPos);
}

void MiselleApp::popupMenuAtCursor() {
    popupMenu(QCursor::pos());
}

// Qt reports the right button on the icon when it goes down; the menu opens
// when it comes up again, so that the release doesn't land on an entry.
void MiselleApp::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Context) {
        return;  // a left click or a double click does nothing
    }
    if (QGuiApplication::mouseButtons() & Qt::RightButton) {
        if (!awaitingTrayRelease_) {
            awaitingTrayRelease_ = true;
            qApp->installEventFilter(this);
        }
    } else {
        // Asked for without a mouse button held (a tray host that reports
        // the click as a whole): open the menu now.
        popupMenuAtCursor();
    }
}

bool MiselleApp::eventFilter(QObject* watched, QEvent* event) {
    if (awaitingTrayRelease_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        awaitingTrayRelease_ = false;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, this, &MiselleApp::popupMenuAtCursor);
    }
    return QObject::eventFilter(watched, event);
}

void MiselleApp::showMainWindow() {
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
}

void MiselleApp::chooseTextColour() {
    if (const std::optional<Colour> colour = colours_.choose(mainWindow_.get())) {
        engine_.setTextColour(*colour);
    }
    mainWindow_->answerBox()->setFocus();
}

void MiselleApp::chooseBackgroundColour() {
    if (const std::optional<Colour> colour = colours_.choose(mainWindow_.get())) {
        engine_.setBackgroundColour(*colour);
    }
    mainWindow_->answerBox()->setFocus();
}

void MiselleApp::addLesson() {
    // Out of the top layer while the dialog is up, so it can come in front.
    if (lessonListWindow_) {
        setAlwaysOnTop(lessonListWindow_.get(), false);
    }
    engine_.addLesson();
    if (lessonListWindow_) {
        setAlwaysOnTop(lessonListWindow_.get(), true);
    }
    if (engine_.options().isOn(MenuOption::AlwaysOnTop)) {
        setAlwaysOnTop(mainWindow_.get(), true);  // the main window stays above the list
    }
    repaint();
}

void MiselleApp::deleteLesson() {
    engine_.deleteHighlightedLesson();
    repaint();
}

void MiselleApp::studyLesson() {
    engine_.studyHighlightedLesson();
    repaint();
}

void MiselleApp::tickLesson(int index, bool ticked) {
    engine_.tickLesson(index, ticked);
    repaint();
}

void MiselleApp::highlightLesson(int index) {
    engine_.highlightLesson(index);
    repaint();
}

void MiselleApp::selectVoice(int index) {
    engine_.selectVoice(index);
    repaint();
}

void MiselleApp::setRate(int rate) {
    engine_.setRate(rate);
    repaint();
}

void MiselleApp::setVolume(int volume) {
    engine_.setVolume(volume);
    repaint();
}

std::string MiselleApp::chooseLessonFile() {
    const QString folder =
        QString::fromStdString(common::lessonFolder(programFolder_.toStdString()));
    return lessonFiles_.choose(mainWindow_.get(), folder).toStdString();
}

void MiselleApp::reportRefusedLesson(const std::string& reason) {
    QMessageBox::warning(mainWindow_.get(), QStringLiteral("Miselle"),
                         QString::fromStdString(reason));
}

void MiselleApp::showLessonList() {
    if (LessonListWindow* window = openedLessonListWindow()) {
        window->showWindow();
    }
}

void MiselleApp::hideLessonList() {
    if (lessonListWindow_) {
        lessonListWindow_->hide();
    }
}

void MiselleApp::processPendingEvents() {
    pendingEvents_.afterStep();
}

bool MiselleApp::exitSequence() {
    if (engine_.exiting()) {
        return true;
    }
    engine_.hideLessonList();
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("退出"),
                         QStringLiteral("你确定要退出Miselle吗？"),
                         QMessageBox::Ok | QMessageBox::Cancel, mainWindow_.get());
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok) {
        return false;  // everything goes on; the list window stays hidden
    }

    mainWindow_->storeGeometry();
    // Nothing is said to the learner who is leaving; the settings stay as
    // the last good save left them.
    if (const common::Status saved = engine_.saveSettings(); !saved) {
        qWarning("Miselle: %s", saved.message().c_str());
    }
    // The start-up entry follows the option as it is now, on every exit.
    const QString name = QString::fromStdString(
        startupValue(programFolder_.toStdString(), executableName_.toStdString()).name);
    const bool entryDone =
        engine_.options().isOn(MenuOption::StartAtLogon)
            ? desktop_.writeAutostart(name, programFolder_ + QLatin1Char('/') + executableName_)
            : desktop_.removeAutostart(name);
    if (!entryDone) {
        qWarning("Miselle: the autostart entry could not be changed");
    }
    tray_->hide();
    engine_.confirmExit();
    if (lessonListWindow_) {
        lessonListWindow_->close();  // lets itself go now that the engine is exiting
        lessonListWindow_.reset();
    }
    voiceDialog_.reset();
    hotKey_.unregister();
    desktop_.quit();
    return true;
}

}  // namespace lorvane::companion
