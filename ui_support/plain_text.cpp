#include "ui_support/plain_text.h"

#include <QTextDocument>

namespace lorvane::ui {

QString plainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

}  // namespace lorvane::ui
