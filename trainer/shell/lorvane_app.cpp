#include "trainer/shell/lorvane_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "ui_support/twips.h"

namespace lorvane::trainer {

LorvaneApp::LorvaneApp(QString programFolder, speech::Voice& voice, speech::WaveAudio& recorder,
                       Desktop desktop)
    : programFolder_(std::move(programFolder)),
      study_(programFolder_.toStdString(), voice, recorder, random_, prompts_),
      chooser_(
          programFolder_.toStdString(), [] { QCoreApplication::processEvents(); },
          [this](const std::string& path) {
              study_.initlist(path);
              studyWindow_->refresh();
          }) {
    studyWindow_ = std::make_unique<StudyWindow>(study_, programFolder_);
    chooserWindow_ = std::make_unique<ChooserWindow>(chooser_, studyWindow_.get());
    prompts_.setParent(studyWindow_.get());
    studyWindow_->openDocument = std::move(desktop.openDocument);
    studyWindow_->startProgram = std::move(desktop.startProgram);
    studyWindow_->onShowChooser = [this] { showChooser(); };
    studyWindow_->onCaptionDragEnded = [this] { dockChooser(); };
    study_.onShowChooser = [this] { showChooser(); };
}

void LorvaneApp::start() {
    // The load step: the voice list, the window, then the settings, which
    // restore the last lesson or show the chooser.
    study_.setupVoice();
    studyWindow_->refresh();
    studyWindow_->show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    studyWindow_->storeGeometry();
    study_.loadsetting(ui::twips(screen.width()), ui::twips(screen.height()));
    studyWindow_->applyGeometry();
    studyWindow_->refresh();

    // An 800 × 480 area centred on the screen, whatever place was stored.
    studyWindow_->move(screen.x() + (screen.width() - 800) / 2,
                       screen.y() + (screen.height() - 480) / 2);
    showChooser();
    dockChooser();
}

void LorvaneApp::showChooser() {
    if (!chooser_.created()) {
        chooser_.create(study_.Tag);
    }
    chooser_.visible = true;
    chooserWindow_->refresh();
    chooserWindow_->show();
    chooserWindow_->raise();
}

void LorvaneApp::dockChooser() {
    const QRect study = studyWindow_->frameGeometry();
    chooserWindow_->move(study.x() + study.width(), study.y());
}

}  // namespace lorvane::trainer
