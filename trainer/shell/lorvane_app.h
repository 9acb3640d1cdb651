#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "common/random_source.h"
#include "speech/voice.h"
#include "speech/wave_audio.h"
#include "trainer/engine/form1.h"
#include "trainer/engine/form2.h"
#include "trainer/shell/chooser_window.h"
#include "trainer/shell/qt_study_prompts.h"
#include "trainer/shell/study_window.h"

namespace lorvane::trainer {

// The trainer put together: the study window and the lesson chooser over
// their models, with the voice, the recorder and the desktop's services.
class LorvaneApp {
public:
    struct Desktop {
        std::function<bool(const QString& path)> openDocument;
        std::function<bool(const QString& path)> startProgram;
    };

    LorvaneApp(QString programFolder, speech::Voice& voice, speech::WaveAudio& recorder,
               Desktop desktop);

    // The start-up sequence: show and load the study window, place it, show
    // the chooser docked at its right edge.
    void start();

    void showChooser();
    void dockChooser();

    Form2& studyModel() { return study_; }
    Form1& chooserModel() { return chooser_; }
    StudyWindow& studyWindow() { return *studyWindow_; }
    ChooserWindow& chooserWindow() { return *chooserWindow_; }

private:
    QString programFolder_;
    common::ClassicRandom random_;
    QtStudyPrompts prompts_;
    Form2 study_;
    Form1 chooser_;
    std::unique_ptr<StudyWindow> studyWindow_;
    std::unique_ptr<ChooserWindow> chooserWindow_;
};

}  // namespace lorvane::trainer
