#include "trainer/shell/qt_study_prompts.h"

#include <QMessageBox>

namespace lorvane::trainer {

bool QtStudyPrompts::askContinueProgress() {
    return QMessageBox::question(parent_, QStringLiteral("学习进度"),
                                 QStringLiteral("你以前学习过该课文，你是否继续上次的学习？"),
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void QtStudyPrompts::warn(const std::string& text) {
    // The text names files and lessons: shown as it is, never as markup.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Lorvane"), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace lorvane::trainer
