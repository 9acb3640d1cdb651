#include "ui_support/answer_box.h"

namespace lorvane::ui {

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {
    setInputMethodWanted(false);
}

void AnswerBox::setInputMethodWanted(bool wanted) {
    setInputMethodHints(wanted ? Qt::ImhNone : Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    // Turned off, text being composed is committed first; the input method
    // hears of the change at once when the box has the focus.
    setAttribute(Qt::WA_InputMethodEnabled, wanted);
}

QVariant AnswerBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled) {
        return inputMethodWanted() && QLineEdit::inputMethodQuery(query).toBool();
    }
    return QLineEdit::inputMethodQuery(query);
}

}  // namespace lorvane::ui
