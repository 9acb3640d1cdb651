// The help names every caption of the trainer's windows.
#include <gtest/gtest.h>

#include "tests/data/help_captions.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "trainer/shell/lorvane_app.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

TEST(TrainerHelp, NamesEveryCaptionOfTheWindows) {
    const ProgramFolder folder;
    FakeVoice voice;
    FakeRecorder recorder;
    // Started as a learner starts it, in a folder without lessons: the study
    // window and the lesson chooser are up.
    LorvaneApp trainer(folder.path(), voice, recorder,
                       {[](const QString&) { return true; }, [](const QString&) { return true; }});
    trainer.start();
    expectAllNamedInHelp(captionsOnScreen(QStringLiteral("Lorvane"), folder.path()));
}
