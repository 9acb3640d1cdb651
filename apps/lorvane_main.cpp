// Lorvane, the flash-card trainer.
#include <QApplication>
#include <QMessageBox>

#include "app_icons.h"
#include "chinese_translations.h"
#include "document_opener.h"
#include "espeak_voice.h"
#include "lorvane_app.h"
#include "paths.h"
#include "program_launcher.h"
#include "qt_wave_audio.h"
#include "sink_audio_output.h"

namespace {

void reportMissingSpeech(const QString& programFolder) {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Lorvane"),
        QStringLiteral("您机器里没有安装微软最新的TTS5.1语音系统，所以无法播放英文读音，"
                       "请参照说明下载相应的TTS语音包。\r\n"
                       "安装完成后，再运行桌面上Lorvane快捷方式。"),
        QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    openDocument(programFolder + QStringLiteral("/安装必读.htm"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lorvane"));
    QApplication::setWindowIcon(lorvaneIcon());
    loadChineseTranslations(app);
    const QString folder = QString::fromStdString(programFolder());

    auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
    if (!voice) {
        reportMissingSpeech(folder);
        return 1;
    }
    QtWaveAudio recorder;
    LorvaneApp lorvane(folder, *voice, recorder,
                       {[](const QString& path) { return openDocument(path); },
                        [](const QString& path) { return startProgram(path); }});
    lorvane.start();
    return QApplication::exec();
}
