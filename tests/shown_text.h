#pragma once

#include <QLabel>
#include <QString>
#include <QTextDocument>

// The text a learner reads in a label or a tooltip. Qt takes a text for
// markup when its format says so or, with the automatic format (the only
// one a tooltip has), whenever the text merely looks like markup.
inline QString shownText(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    const bool markup =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    if (!markup) {
        return text;
    }
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

inline QString shownText(const QLabel* label) {
    return shownText(label->text(), label->textFormat());
}
