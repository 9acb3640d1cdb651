// Miselle, the desktop companion.
#include <malloc.h>

#include <QApplication>
#include <QFileInfo>
#include <exception>
#include <memory>

#include "common/gbk_codec.h"
#include "common/paths.h"
#include "companion/engine/lesson_read_ahead.h"
#include "companion/shell/miselle_app.h"
#include "platform/app_icons.h"
#include "platform/chinese_translations.h"
#include "platform/single_instance.h"
#include "platform/x11_platform_request.h"
#include "speech/combined_voice.h"
#include "speech/late_audio.h"
#include "ui_support/startup_messages.h"

int main(int argc, char** argv) {
    // One companion per user: a second start ends here, silently, before it
    // has so much as a connection to the display.
    const lorvane::platform::SingleInstance instance(QStringLiteral("Miselle"));
    if (!instance.isOnlyInstance()) {
        return 0;
    }
    // The synthesisers are set up, and the lesson the settings reopen is
    // read, while the program connects to the display.
    auto speechSetUp = lorvane::speech::CombinedVoice::setUpInBackground();
    auto lessonReadAhead =
        lorvane::companion::startReadingLessonAhead(lorvane::common::programFolder());

    lorvane::platform::requestX11Platform();
    QApplication app(argc, argv);
    lorvane::platform::withdrawX11PlatformRequest();
    QApplication::setApplicationName(QStringLiteral("Miselle"));
    QApplication::setWindowIcon(lorvane::platform::miselleIcon());
    // The window hides into the tray: only the exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    lorvane::platform::loadChineseTranslations(app);
    const QString folder = QString::fromStdString(lorvane::common::programFolder());
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    // Without a voice that speaks English (libflite's natural voices or
    // espeak-ng's) the companion can't read words out: say so, open the
    // installation notes and end.
    auto voice = lorvane::speech::CombinedVoice::create(
        std::make_unique<lorvane::speech::LateAudioOutput>());
    if (!voice) {
        lorvane::ui::reportMissingSpeech(
            QStringLiteral("Miselle"), folder,
            lorvane::companion::MiselleApp::realDesktop().openDocument);
        return 1;
    }
    std::unique_ptr<lorvane::companion::MiselleApp> miselle;
    try {
        // The settings and lesson files are GBK: a system without the
        // converters is told so here, before any window is up.
        lorvane::common::gbk::openConverters();
        miselle = std::make_unique<lorvane::companion::MiselleApp>(
            folder, executable, *voice, lorvane::companion::MiselleApp::realDesktop());
        miselle->offerLessonReadAhead(std::move(lessonReadAhead));
        miselle->start();
        // Reading the lesson left freed buffers all over the heap (the file's
        // bytes, its decoded text, the lines on their way into the lists):
        // give their pages back before the program settles into idling.
        malloc_trim(0);
    } catch (const std::exception& error) {
        miselle.reset();  // no icon is left behind
        lorvane::ui::reportStartFailure(QStringLiteral("Miselle"), error);
        return 1;
    }
    if (miselle->exited()) {
        return 0;  // left before the window was ever shown
    }
    return QApplication::exec();
}
