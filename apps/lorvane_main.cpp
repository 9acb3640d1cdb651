// Lorvane, the flash-card trainer.
#include <QApplication>
#include <exception>
#include <optional>

#include "app_icons.h"
#include "chinese_translations.h"
#include "document_opener.h"
#include "espeak_voice.h"
#include "lorvane_app.h"
#include "lorvane_missing_speech.h"
#include "paths.h"
#include "program_launcher.h"
#include "qt_wave_audio.h"
#include "sink_audio_output.h"
#include "start_failure.h"
#include "x11_platform_request.h"

int main(int argc, char** argv) {
    requestX11Platform();
    QApplication app(argc, argv);
    withdrawX11PlatformRequest();
    QApplication::setApplicationName(QStringLiteral("Lorvane"));
    QApplication::setWindowIcon(lorvaneIcon());
    loadChineseTranslations(app);
    const QString folder = QString::fromStdString(programFolder());

    // Without espeak-ng's English voices the trainer can't read words out:
    // say so, open the installation notes and end.
    auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
    if (!voice) {
        reportMissingSpeech(folder, [](const QString& path) { return openDocument(path); });
        return 1;
    }
    QtWaveAudio recorder;
    std::optional<LorvaneApp> lorvane;
    try {
        lorvane.emplace(
            folder, *voice, recorder,
            LorvaneApp::Desktop{[](const QString& path) { return openDocument(path); },
                                [](const QString& path) { return startProgram(path); }});
        lorvane->start();
    } catch (const std::exception& error) {
        lorvane.reset();  // its windows go before the message
        reportStartFailure(QStringLiteral("Lorvane"), error);
        return 1;
    }
    return QApplication::exec();
}
