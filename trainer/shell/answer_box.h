#pragma once

#include <QLineEdit>

namespace lorvane::trainer {

// The study window's answer box. The desktop's input method writes into it
// only while the widget allows input methods (Qt::WA_InputMethodEnabled):
// a line edit otherwise tells the input method it takes input whenever it is
// enabled, whatever the attribute says.
class AnswerBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled && !testAttribute(Qt::WA_InputMethodEnabled)) {
            return false;
        }
        return QLineEdit::inputMethodQuery(query);
    }
};

}  // namespace lorvane::trainer
