// Lorvane, the flash-card trainer.
#include <malloc.h>

#include <QApplication>
#include <exception>
#include <optional>

#include "common/gbk_codec.h"
#include "common/paths.h"
#include "platform/app_icons.h"
#include "platform/chinese_translations.h"
#include "platform/document_opener.h"
#include "platform/program_launcher.h"
#include "platform/x11_platform_request.h"
#include "speech/combined_voice.h"
#include "speech/late_audio.h"
#include "trainer/engine/progress_read_ahead.h"
#include "trainer/shell/lorvane_app.h"
#include "ui_support/startup_messages.h"

int main(int argc, char** argv) {
    // The synthesisers are set up, and the progress of the last lesson read,
    // while the program connects to the display.
    auto speechSetUp = lorvane::speech::CombinedVoice::setUpInBackground();
    auto progressReadAhead =
        lorvane::trainer::startReadingProgressAhead(lorvane::common::programFolder());
    lorvane::platform::requestX11Platform();
    QApplication app(argc, argv);
    lorvane::platform::withdrawX11PlatformRequest();
    QApplication::setApplicationName(QStringLiteral("Lorvane"));
    QApplication::setWindowIcon(lorvane::platform::lorvaneIcon());
    lorvane::platform::loadChineseTranslations(app);
    const QString folder = QString::fromStdString(lorvane::common::programFolder());

    // Without a voice that speaks English (libflite's natural voices or
    // espeak-ng's) the trainer can't read words out: say so, open the
    // installation notes and end.
    auto voice = lorvane::speech::CombinedVoice::create(
        std::make_unique<lorvane::speech::LateAudioOutput>());
    if (!voice) {
        lorvane::ui::reportMissingSpeech(
            QStringLiteral("Lorvane"), folder,
            [](const QString& path) { return lorvane::platform::openDocument(path); });
        return 1;
    }
    lorvane::speech::LateRecorder recorder;
    std::optional<lorvane::trainer::LorvaneApp> trainer;
    try {
        // Every file the trainer reads or writes is GBK: a system without the
        // converters is told so here, before any window is up.
        lorvane::common::gbk::openConverters();
        trainer.emplace(
            folder, *voice, recorder,
            lorvane::trainer::LorvaneApp::Desktop{
                [](const QString& path) { return lorvane::platform::openDocument(path); },
                [](const QString& path) { return lorvane::platform::startProgram(path); }});
        trainer->session().offerProgressReadAhead(std::move(progressReadAhead));
        trainer->studyWindow().transcribe = [&voice](const std::string& english) {
            return voice->transcription(english);
        };
        trainer->start();
        // Reading the lesson left freed buffers all over the heap (the file's
        // bytes, its decoded text, the lines on their way into the lists):
        // give their pages back before the program settles into idling.
        malloc_trim(0);
    } catch (const std::exception& error) {
        trainer.reset();  // its windows go before the message
        lorvane::ui::reportStartFailure(QStringLiteral("Lorvane"), error);
        return 1;
    }
    return QApplication::exec();
}
