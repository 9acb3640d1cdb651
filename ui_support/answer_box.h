#pragma once

#include <QLineEdit>
#include <QVariant>

namespace lorvane::ui {

// A one-line box where the learner types an answer. An English answer is
// typed straight from the keyboard, and an active Chinese input method would
// catch its letters; a Chinese answer (a reversed lesson) can only be typed
// through the input method. So the box lets the input method in only while
// the expected answer needs it.
//
// A plain QLineEdit tells the input method it accepts input whatever its
// Qt::WA_InputMethodEnabled says; this box answers by the attribute.
class AnswerBox : public QLineEdit {
    Q_OBJECT

public:
    explicit AnswerBox(QWidget* parent = nullptr);

    // Off while the expected answer is plain ASCII, on otherwise.
    void setInputMethodWanted(bool wanted);
    bool inputMethodWanted() const { return testAttribute(Qt::WA_InputMethodEnabled); }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

}  // namespace lorvane::ui
