// Lorvane, the flash-card trainer.
#include <QApplication>
#include <exception>
#include <optional>

#include "platform/app_icons.h"
#include "platform/chinese_translations.h"
#include "platform/document_opener.h"
#include "speech/espeak_voice.h"
#include "trainer/shell/lorvane_app.h"
#include "apps/lorvane_missing_speech.h"
#include "common/paths.h"
#include "platform/program_launcher.h"
#include "speech/qt_wave_audio.h"
#include "speech/sink_audio_output.h"
#include "apps/start_failure.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
