#include "ui_support/plain_text.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>

namespace lorvane::ui {

void showAsPlainText(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
}

void showAsPlainText(QMessageBox* box) {
    box->setTextFormat(Qt::PlainText);
}

QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    // Spaces and line breaks are kept as they are.
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

}  // namespace lorvane::ui
