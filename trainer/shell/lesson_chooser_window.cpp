#include "trainer/shell/lesson_chooser_window.h"

#include <QCloseEvent>

#include "ui_support/list_sync.h"
#include "ui_support/twips.h"

namespace lorvane::trainer {

LessonChooserWindow::LessonChooserWindow(LessonChooser& chooser, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      chooser_(chooser) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ui::pixels(2430), ui::pixels(5700));
    entryList_ = new QListWidget(this);
    entryList_->setObjectName(QStringLiteral("List1"));
    entryList_->setGeometry(ui::twipsRect(0, 0, 2415, 5100));
    auto button = [this](const char* name, const QString& caption, QRect place) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(place);
        return b;
    };
    QPushButton* open =
        button("Command1_0", QStringLiteral("选择"), ui::twipsRect(0, 5280, 855, 375));
    backButton_ = button("Command1_1", QStringLiteral("返回"), ui::twipsRect(840, 5280, 855, 375));
    QPushButton* close =
        button("Command1_2", QStringLiteral("关闭"), ui::twipsRect(1680, 5280, 735, 375));
    connect(open, &QPushButton::clicked, this, &LessonChooserWindow::openSelected);
    connect(backButton_, &QPushButton::clicked, this, &LessonChooserWindow::goBack);
    connect(close, &QPushButton::clicked, this, &LessonChooserWindow::closeChooser);
    connect(entryList_, &QListWidget::itemDoubleClicked, this, &LessonChooserWindow::openSelected);
    connect(entryList_, &QListWidget::currentRowChanged, this, &LessonChooserWindow::selectEntry);
    refresh();
}

void LessonChooserWindow::selectEntry(int row) {
    chooser_.selectEntry(row);
}

void LessonChooserWindow::openSelected() {
    chooser_.selectEntry(entryList_->currentRow());
    chooser_.openSelected();
    refresh();
}

void LessonChooserWindow::goBack() {
    chooser_.selectEntry(entryList_->currentRow());
    chooser_.goBack();
    refresh();
}

void LessonChooserWindow::closeChooser() {
    chooser_.close();
    refresh();
}

void LessonChooserWindow::refresh() {
    setWindowTitle(QString::fromStdString(chooser_.title()));
    ui::syncListItems(*entryList_, shown_, chooser_.entries());
    ui::syncListSelection(*entryList_, chooser_.selectedEntry());
    backButton_->setEnabled(chooser_.canGoBack());
    if (!chooser_.visible() && isVisible()) {
        hide();
    }
}

void LessonChooserWindow::closeEvent(QCloseEvent* event) {
    // The chooser lives for the whole run; closing it hides it.
    event->ignore();
    chooser_.close();
    hide();
}

void LessonChooserWindow::hideEvent(QHideEvent* event) {
    chooser_.close();
    QWidget::hideEvent(event);
}

}  // namespace lorvane::trainer
