#pragma once

#include <QString>

class QLabel;
class QMessageBox;

namespace lorvane::ui {

// Texts that come from a lesson or a file (meanings, file names, paths,
// system errors naming them) are shown as they are written. Qt takes any
// text that merely looks like markup for markup: "<b>粗</b>体" would show
// bold and "&lt;小于" as "<小于".

void showAsPlainText(QLabel* label);
void showAsPlainText(QMessageBox* box);

// A tooltip has no format of its own: a text that looks like markup is
// turned into markup that shows it as written; any other stays as it is.
QString plainToolTip(const QString& text);

}  // namespace lorvane::ui
