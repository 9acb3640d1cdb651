#pragma once

#include <QListWidget>
#include <QWidget>
#include <array>
#include <vector>

#include "companion/engine/lesson_list.h"
#include "companion/shell/picture_button.h"

namespace lorvane::companion {

class CompanionEngine;

// The lesson list window `Form4` "课文列表": the learner's lessons, each
// with a tick saying whether it takes part in the rotation, and a strip of
// four picture buttons: add, delete, study, close. It holds the list for
// the whole run, so a close request before the confirmed exit only hides it.
class LessonListWindow : public QWidget {
    Q_OBJECT

public:
    // Closes for good only once the engine is exiting.
    explicit LessonListWindow(const CompanionEngine& engine, QWidget* parent = nullptr);

    // Shows the engine's lessons, ticks and highlight.
    void refresh();
    // Shows the window modeless, centred on the screen the first time.
    void showWindow();

signals:
    // The buttons of the strip; closing is the window's own business.
    void addClicked();
    void deleteClicked();
    void studyClicked();
    void tickChanged(int index, bool ticked);
    void highlightChanged(int index);

private slots:
    void itemChanged(QListWidgetItem* item);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutControls();

    const CompanionEngine& engine_;
    QWidget* strip_ = nullptr;
    QListWidget* list_ = nullptr;
    std::vector<LessonListEntry> shown_;
    bool placed_ = false;
};

}  // namespace lorvane::companion
