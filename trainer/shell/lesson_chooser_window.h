#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "trainer/engine/lesson_chooser.h"

namespace lorvane::trainer {

// The lesson chooser's window: shows the chooser and forwards clicks to it.
// Closing it only hides it.
class LessonChooserWindow : public QWidget {
    Q_OBJECT

public:
    LessonChooserWindow(LessonChooser& chooser, QWidget* owner);

    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void openSelected();
    void goBack();
    void closeChooser();
    void selectEntry(int row);

private:
    LessonChooser& chooser_;
    QListWidget* entryList_ = nullptr;
    std::vector<std::string> shown_;
    QPushButton* backButton_ = nullptr;
};

}  // namespace lorvane::trainer
