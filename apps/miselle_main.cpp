// Miselle, the desktop companion.
#include <QApplication>
#include <QFileInfo>
#include <exception>
#include <memory>

#include "app_icons.h"
#include "chinese_translations.h"
#include "espeak_voice.h"
#include "miselle_app.h"
#include "paths.h"
#include "single_instance.h"
#include "sink_audio_output.h"
#include "start_failure.h"
#include "x11_platform_request.h"

int main(int argc, char** argv) {
    // One companion per user: a second start ends here, silently, before it
    // has so much as a connection to the display.
    const SingleInstance instance(QStringLiteral("Miselle"));
    if (!instance.isOnlyInstance()) {
        return 0;
    }

    requestX11Platform();
    QApplication app(argc, argv);
    withdrawX11PlatformRequest();
    QApplication::setApplicationName(QStringLiteral("Miselle"));
    QApplication::setWindowIcon(miselleIcon());
    // The window hides into the tray: only the exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    loadChineseTranslations(app);
    const QString folder = QString::fromStdString(programFolder());
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    // Without espeak-ng's English voices the companion can't read words
    // out: say so, open the installation notes and end.
    auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
    if (!voice) {
        MiselleApp::reportMissingSpeech(folder, MiselleApp::realDesktop());
        return 1;
    }
    std::unique_ptr<MiselleApp> miselle;
    try {
        miselle =
            std::make_unique<MiselleApp>(folder, executable, *voice, MiselleApp::realDesktop());
        miselle->start();
    } catch (const std::exception& error) {
        miselle.reset();  // no icon is left behind
        reportStartFailure(QStringLiteral("Miselle"), error);
        return 1;
    }
    if (miselle->exited()) {
        return 0;  // left before the window was ever shown
    }
    return QApplication::exec();
}
