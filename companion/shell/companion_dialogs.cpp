#include "companion/shell/companion_dialogs.h"

#include <QColorDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <cmath>

#include "companion/shell/colours.h"
#include "ui_support/plain_text.h"

namespace lorvane::companion {

void placeDialog(QWidget* dialog) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Rounded to the nearest whole pixel, halves to the even one.
    const int x = static_cast<int>(std::lrint(screen.width() / 2.0 - 200));
    const int y = static_cast<int>(std::lrint(screen.height() / 2.0 - 200));
    dialog->move(screen.x() + x, screen.y() + y);
}

void keepQtSettingsOffDisk() {
    // A folder beneath /dev/null, where no file can ever be made: Qt finds
    // nothing to read there, and its writes fail without a word.
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

LessonFileDialog::LessonFileDialog(QWidget* owner, const QString& lessonFolder)
    : QFileDialog(owner, QStringLiteral("打开文本课文..."), lessonFolder,
                  QStringLiteral("文本文件(*.txt)")) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    // Any name, so that a lesson still to be written can be chosen too.
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QStringLiteral("txt"));
}

void LessonFileDialog::accept() {
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) {
        const QFileInfo file(chosen.first());
        if (!file.isDir() && !file.exists()) {
            QMessageBox question(
                QMessageBox::Question, windowTitle(),
                QStringLiteral("%1\n该文件不存在。\n要创建该文件吗？").arg(file.fileName()),
                QMessageBox::Yes | QMessageBox::No, this);
            question.setDefaultButton(QMessageBox::Yes);
            ui::showAsPlainText(&question);  // the name as the learner typed it
            if (question.exec() != QMessageBox::Yes) {
                return;  // back to the dialog
            }
        }
    }
    QFileDialog::accept();
}

QString LessonFileChooser::choose(QWidget* owner, const QString& lessonFolder) {
    LessonFileDialog dialog(owner, lessonFolder);
    dialog.setHistory(history_);
    // Whatever a system-wide settings file of Qt says, the dialog starts in
    // the lesson folder.
    dialog.setDirectory(lessonFolder);
    placeDialog(&dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    history_ = dialog.history();
    if (!accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

std::optional<Colour> ColourChooser::choose(QWidget* owner) {
    if (!customColoursSet_) {
        for (int i = 0; i < QColorDialog::customCount(); ++i) {
            QColorDialog::setCustomColor(i, QColor(254, 254, 254));
        }
        customColoursSet_ = true;
    }
    // Qt's dialog always shows its custom colour part in full.
    QColorDialog dialog(toQColor(last_), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    placeDialog(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    last_ = fromQColor(dialog.selectedColor());
    return last_;
}

}  // namespace lorvane::companion
