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
#include "ui_support/startup_messages.h"

namespace lorvane::companion {

MiselleApp::Desktop MiselleApp::realDesktop() {
    return {
        [](const QString& path) { return platform::openDocument(path); },
        [](const QString& name, const QString& executable) {
            return platform::writeAutostartEntry(name, executable);
        },
        [](const QString& name) { return platform::removeAutostartEntry(name); },
        [] { QCoreApplication::quit(); },
    };
}

void MiselleApp::reportMissingSpeech(const QString& programFolder, const Desktop& desktop) {
    ui::reportMissingSpeech(QStringLiteral("Miselle"), programFolder, desktop.openDocument);
}

MiselleApp::MiselleApp(QString programFolder, QString executableName, speech::Voice& voice,
                       Desktop desktop)
    : programFolder_(std::move(programFolder)),
      executableName_(std::move(executableName)),
      desktop_(std::move(desktop)),
      engine_(programFolder_.toStdString(), voice, random_, *this) {
    keepQtSettingsIn(QString::fromStdString(common::lessonFolder(programFolder_.toStdString())));

    form1_ = std::make_unique<MainWindow>(engine_);
    form1_->onCommand = [this](Command command) { run(command); };
    form1_->onPopupMenu = [this](const QPoint& where) { popupMenu(where); };
    form1_->onCloseRequested = [this] { return exitSequence(); };

    menu_ = std::make_unique<CommandMenu>();
    menu_->onCommand = [this](Command command) { run(command); };

    // Both made hidden now and kept until the exit: they hold the voice
    // settings and the lesson list for the whole run.
    form2_ = new VoiceDialog(model().form2);
    form4_ = new LessonListWindow(model());
    form4_->onAddLesson = [this] {
        addLesson();
        refreshAll();
    };
    form4_->onDeleteLesson = [this] {
        engine_.deleteHighlightedLesson();
        refreshAll();
    };
    form4_->onStudyLesson = [this] {
        engine_.studyHighlightedLesson();
        refreshAll();
    };

    tray_ = std::make_unique<QSystemTrayIcon>();
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { trayActivated(reason); });
    connect(&hotKey_, &platform::GlobalHotKey::activated, this,
            [this] { run(Command::ShowWindow); });
}

MiselleApp::~MiselleApp() {
    if (awaitingTrayRelease_) {
        qApp->removeEventFilter(this);
    }
    delete form4_;
    delete form2_;
}

void MiselleApp::start() {
    engine_.loadSettings();
    form1_->applyGeometry();
    setAlwaysOnTop(form1_.get(), model().menu.munOnTop);
    refreshAll();

    // Without a tray (some desktops have none) the icon simply doesn't
    // show; the window and the hot key still bring everything back.
    tray_->setIcon(platform::miselleIcon());
    tray_->show();
    tray_->setToolTip(QStringLiteral("Miselle"));

    engine_.startupDisplay();
    if (exited_) {
        return;  // the learner left through the tray's menu while the lesson loaded
    }
    // Taken by another program, Ctrl+W just does nothing here.
    hotKey_.registerKey();
    refreshAll();
    form1_->show();
    form1_->activateWindow();
}

void MiselleApp::run(Command command) {
    Form1& form = model().form1;
    switch (command) {
        case Command::SpeakWord:
            engine_.speakCurrentWord();
            break;
        case Command::ShowEnglish:
            engine_.showCorrectEnglish();
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
        case Command::CheckAnswer:
            form.Text1.text = form1_->answerBox()->text().toStdString();
            engine_.checkAnswer();
            break;
        case Command::VoiceSettings:
            if (form2_) {
                form2_->showDialog();
            }
            break;
        case Command::LessonList:
            showLessonList();
            break;
        case Command::TextColour:
            chooseTextColour();
            break;
        case Command::BackColour:
            chooseBackColour();
            break;
        case Command::ToggleRandom:
            // Read by the next item move; nothing else happens now.
            model().menu.suijixianshi = !model().menu.suijixianshi;
            break;
        case Command::HideWindow:
            form1_->hide();
            break;
        case Command::Exit:
            form1_->close();
            break;
        case Command::ShowWindow:
            showMainWindow();
            break;
        case Command::ToggleOnTop:
            model().menu.munOnTop = !model().menu.munOnTop;
            setAlwaysOnTop(form1_.get(), model().menu.munOnTop);
            break;
        case Command::ToggleAutostart:
            // Acted on at the confirmed exit, and only there.
            model().menu.zidongqidong = !model().menu.zidongqidong;
            break;
        case Command::Help:
            desktop_.openDocument(programFolder_ + QStringLiteral("/Lorvane说明.htm"));
            break;
    }
    refreshAll();
}

void MiselleApp::refreshAll() {
    form1_->refresh();
    menu_->showChecks(model().menu);
    if (form2_) {
        form2_->refresh();
    }
    if (form4_) {
        form4_->refresh();
    }
}

void MiselleApp::popupMenu(const QPoint& globalPos) {
    menu_->popup(globalPos);
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
        popupMenu(QCursor::pos());
    }
}

bool MiselleApp::eventFilter(QObject* watched, QEvent* event) {
    if (awaitingTrayRelease_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        awaitingTrayRelease_ = false;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { popupMenu(QCursor::pos()); });
    }
    return QObject::eventFilter(watched, event);
}

void MiselleApp::showMainWindow() {
    // Position, layer and item stay as they were.
    form1_->show();
    form1_->raise();
    form1_->activateWindow();
}

void MiselleApp::chooseTextColour() {
    const ColourChooser::Result result = colours_.choose(form1_.get());
    Form1& form = model().form1;
    if (!result.cancelled) {
        form.Label1.foreColor = result.colour;
        form.Text1.foreColor = form.Label1.foreColor;
    }
    form1_->answerBox()->setFocus();
}

void MiselleApp::chooseBackColour() {
    const ColourChooser::Result result = colours_.choose(form1_.get());
    Form1& form = model().form1;
    if (!result.cancelled) {
        form.Text1.backColor = result.colour;
        form.backColor = form.Text1.backColor;
    }
    form1_->answerBox()->setFocus();
}

void MiselleApp::addLesson() {
    // Out of the top layer while the dialog is up, so it can come in front.
    if (form4_) {
        setAlwaysOnTop(form4_, false);
    }
    engine_.addLesson();
    if (form4_) {
        setAlwaysOnTop(form4_, true);
    }
    if (model().menu.munOnTop) {
        setAlwaysOnTop(form1_.get(), true);  // the main window stays above the list
    }
}

std::string MiselleApp::chooseLessonFile() {
    const QString folder =
        QString::fromStdString(common::lessonFolder(programFolder_.toStdString()));
    return LessonFileDialog::choose(form1_.get(), folder).toStdString();
}

void MiselleApp::reportRefusedLesson(const std::string& reason) {
    QMessageBox::warning(form1_.get(), QStringLiteral("Miselle"), QString::fromStdString(reason));
}

void MiselleApp::showLessonList() {
    if (form4_) {
        form4_->showWindow();
    }
}

void MiselleApp::hideLessonList() {
    if (form4_) {
        form4_->hide();
    }
}

void MiselleApp::processPendingEvents() {
    QCoreApplication::processEvents();
}

bool MiselleApp::exitSequence() {
    if (exited_) {
        return true;
    }
    engine_.hideLessonList();
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("退出"),
                         QStringLiteral("你确定要退出Miselle吗？"),
                         QMessageBox::Ok | QMessageBox::Cancel, form1_.get());
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok) {
        return false;  // everything goes on; the list window stays hidden
    }

    form1_->storeGeometry();
    engine_.saveSettings();
    // The start-up entry follows the check as it is now, on every exit.
    const QString name = QString::fromStdString(
        startupValue(programFolder_.toStdString(), executableName_.toStdString()).name);
    if (model().menu.zidongqidong) {
        desktop_.writeAutostart(name, programFolder_ + QLatin1Char('/') + executableName_);
    } else {
        desktop_.removeAutostart(name);
    }
    tray_->hide();
    model().form1.tag = std::string(kExitMarker);
    if (form4_) {
        form4_->close();  // lets itself go now that the marker is set
        delete form4_;
    }
    delete form2_;
    hotKey_.unregister();
    exited_ = true;
    desktop_.quit();
    return true;
}

}  // namespace lorvane::companion
