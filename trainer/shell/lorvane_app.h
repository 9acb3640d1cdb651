#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "common/paced_events.h"
#include "common/random_source.h"
#include "speech/recorder.h"
#include "speech/voice.h"
#include "trainer/engine/lesson_chooser.h"
#include "trainer/engine/study_session.h"
#include "trainer/shell/lesson_chooser_window.h"
#include "trainer/shell/qt_study_prompts.h"
#include "trainer/shell/study_window.h"

namespace lorvane::trainer {

// The trainer put together: the study window and the lesson chooser over
// the study session and the chooser, with the voice, the recorder and the
// desktop's services. The chooser's window comes up on its own at the start;
// opened with "O" it belongs to the study window, stays above it and is
// minimised with it.
class LorvaneApp : public QObject {
    Q_OBJECT

public:
    struct Desktop {
        std::function<bool(const QString& path)> openDocument;
        std::function<bool(const QString& path)> startProgram;
    };

    LorvaneApp(QString programFolder, speech::Voice& voice, speech::Recorder& recorder,
               Desktop desktop);

    // The start-up sequence: show and load the study window, place it, show
    // the chooser docked at its right edge.
    void start();

    StudySession& session() { return session_; }
    StudyWindow& studyWindow() { return *studyWindow_; }
    LessonChooserWindow& chooserWindow() { return *chooserWindow_; }

    enum class ChooserOwner { None, StudyWindow };

public slots:
    void showChooser(ChooserOwner owner);
    void dockChooser();

private:
    void openLesson(const std::string& path);

    QString programFolder_;
    common::ClassicRandom random_;
    QtStudyPrompts prompts_;
    // The chooser's lists fill entry by entry; the events run every few
    // milliseconds of a long listing, not after every entry, which would
    // paint the study window early while the start is still under way.
    common::PacedEvents chooserEvents_;
    StudySession session_;
    LessonChooser chooser_;
    std::unique_ptr<StudyWindow> studyWindow_;
    // Goes before the study window, which may own it by then.
    std::unique_ptr<LessonChooserWindow> chooserWindow_;
};

}  // namespace lorvane::trainer
