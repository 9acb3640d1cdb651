#include "ui_support/startup_messages.h"

#include <QMessageBox>
#include <new>

namespace lorvane::ui {

void reportMissingSpeech(const QString& shortcutName, const QString& programFolder,
                         const std::function<bool(const QString& path)>& openDocument) {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Lorvane"),
        QStringLiteral("您机器里没有安装espeak-ng语音系统的英文语音，所以无法播放英文读音，"
                       "请参照说明下载相应的语音包。\r\n"
                       "安装完成后，再运行桌面上%1快捷方式。")
            .arg(shortcutName),
        QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // The learner can copy the text, to look it up or to ask for help.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
    openDocument(programFolder + QStringLiteral("/安装必读.htm"));
}

void reportStartFailure(const QString& program, const std::exception& error) {
    QString text;
    if (dynamic_cast<const std::bad_alloc*>(&error)) {
        text =
            QStringLiteral("%1启动时内存不足，无法运行。请关闭其他程序后，再运行%1。").arg(program);
    } else {
        // The detail is for whoever helps the learner; it is in English.
        text = QStringLiteral("%1启动时出错，无法运行。\r\n错误信息：%2")
                   .arg(program, QString::fromLocal8Bit(error.what()));
    }
    QMessageBox box(QMessageBox::Critical, program, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

}  // namespace lorvane::ui
