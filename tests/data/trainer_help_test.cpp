// The help names every caption of the trainer's windows.
#include <gtest/gtest.h>

#include "fake_voice.h"
#include "fake_wave_audio.h"
#include "help_captions.h"
#include "lorvane_app.h"

TEST(TrainerHelp, NamesEveryCaptionOfTheWindows) {
    const ProgramFolder folder;
    FakeVoice voice;
    FakeWaveAudio recorder;
    // Started as a learner starts it, in a folder without lessons: the study
    // window and the lesson chooser are up.
    LorvaneApp trainer(folder.path(), voice, recorder,
                       {[](const QString&) { return true; }, [](const QString&) { return true; }});
    trainer.start();
    expectAllNamedInHelp(captionsOnScreen(QStringLiteral("Lorvane"), folder.path()));
}
