// The help names every caption of the companion's windows and its menu.
#include <gtest/gtest.h>

#include "common/gbk_codec.h"
#include "companion/shell/miselle_app.h"
#include "tests/data/help_captions.h"
#include "tests/doubles/fake_voice.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::platform;
using namespace lorvane::companion;

TEST(CompanionHelp, NamesEveryCaptionOfTheWindowsAndTheMenu) {
    const ProgramFolder folder;
    // One lesson in the list, not ticked: nothing to study, so no file dialog
    // comes up and no meaning is shown.
    const std::string lessons = folder.folder().path() + "/单词课文/";
    folder.folder().write("单词课文/listgirl.dat", gbk::encode("F" + lessons + "a.txt\r\n"));
    FakeVoice voice;
    // Started as a learner starts it: the main window, the menu, and the
    // voice dialog and the lesson list window, made hidden at the start.
    MiselleApp companion(folder.path(), QStringLiteral("Miselle"), voice,
                         {[](const QString&) { return true; },
                          [](const QString&, const QString&) { return true; },
                          [](const QString&) { return true; },
                          [] {},
                          {}});
    companion.start();
    expectAllNamedInHelp(captionsOnScreen(QStringLiteral("Miselle"), folder.path()));
}
