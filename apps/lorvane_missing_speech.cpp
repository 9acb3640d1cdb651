#include "apps/lorvane_missing_speech.h"

#include <QMessageBox>

void reportMissingSpeech(const QString& programFolder,
                         const std::function<bool(const QString& path)>& openDocument) {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Lorvane"),
        QStringLiteral("您机器里没有安装espeak-ng语音系统的英文语音，所以无法播放英文读音，"
                       "请参照说明下载相应的语音包。\r\n"
                       "安装完成后，再运行桌面上Lorvane快捷方式。"),
        QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // The learner can copy the text, to look it up or to ask for help.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
    openDocument(programFolder + QStringLiteral("/安装必读.htm"));
}
