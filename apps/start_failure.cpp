#include "apps/start_failure.h"

#include <QMessageBox>
#include <new>

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
