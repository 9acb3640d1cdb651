#include "trainer/shell/lorvane_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "ui_support/twips.h"

namespace lorvane::trainer {

LorvaneApp::LorvaneApp(QString programFolder, speech::Voice& voice, speech::Recorder& recorder,
                       Desktop desktop)
    : programFolder_(std::move(programFolder)),
      chooserEvents_([] { QCoreApplication::processEvents(); }),
      session_(programFolder_.toStdString(), voice, recorder, random_, prompts_),
      chooser_(
          programFolder_.toStdString(), [this] { chooserEvents_.afterStep(); },
          std::bind_front(&LorvaneApp::openLesson, this)) {
    studyWindow_ = std::make_unique<StudyWindow>(session_, programFolder_);
    chooserWindow_ = std::make_unique<LessonChooserWindow>(chooser_, nullptr);
    // Its window on the display is made now, hidden, while the display has
    // nothing else to do: made when the chooser first shows, right after the
    // study window came up, its requests waited some 3 ms behind that
    // window's.
    (void)chooserWindow_->winId();
    prompts_.setParent(studyWindow_.get());
    studyWindow_->openDocument = std::move(desktop.openDocument);
    studyWindow_->startProgram = std::move(desktop.startProgram);
    connect(studyWindow_.get(), &StudyWindow::lessonChooserWanted, this,
            [this] { showChooser(ChooserOwner::StudyWindow); });
    connect(studyWindow_.get(), &StudyWindow::captionDragEnded, this, &LorvaneApp::dockChooser);
}

void LorvaneApp::openLesson(const std::string& path) {
    studyWindow_->refresh(session_.openLesson(path));
}

void LorvaneApp::start() {
    // The load step: the voice list, the window, then the settings, which
    // restore the last lesson or show the chooser.
    session_.loadVoices();
    studyWindow_->refresh();
    studyWindow_->show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    studyWindow_->storeGeometry();
    const StudySession::AfterSettings next =
        session_.loadSettings(ui::twips(screen.width()), ui::twips(screen.height()));
    if (next == StudySession::AfterSettings::ShowChooser) {
        showChooser(ChooserOwner::None);
    }
    studyWindow_->applyGeometry();
    studyWindow_->refresh();

    // An 800 × 480 area centred on the screen, whatever place was stored.
    studyWindow_->move(screen.x() + (screen.width() - 800) / 2,
                       screen.y() + (screen.height() - 480) / 2);
    showChooser(ChooserOwner::None);
    dockChooser();
}

void LorvaneApp::showChooser(ChooserOwner owner) {
    QWidget* ownerWindow = owner == ChooserOwner::StudyWindow ? studyWindow_.get() : nullptr;
    if (chooserWindow_->parentWidget() != ownerWindow) {
        // Owned, it is a tool window of the study window: only those are
        // tied to their owner on X11. The place stays.
        const QPoint place = chooserWindow_->pos();
        const Qt::WindowFlags flags = (chooserWindow_->windowFlags() & ~Qt::WindowType_Mask) |
                                      (ownerWindow ? Qt::Tool : Qt::Window);
        chooserWindow_->setParent(ownerWindow, flags);
        chooserWindow_->move(place);
    }
    if (!chooser_.started()) {
        chooser_.start(session_.currentLesson());
    }
    chooser_.show();
    chooserWindow_->refresh();
    chooserWindow_->show();
    chooserWindow_->raise();
}

void LorvaneApp::dockChooser() {
    const QRect study = studyWindow_->frameGeometry();
    chooserWindow_->move(study.x() + study.width(), study.y());
}

}  // namespace lorvane::trainer
