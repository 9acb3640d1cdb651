#pragma once

#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "companion/engine/lesson_list.h"
#include "companion/shell/picture_button.h"

namespace lorvane::companion {

struct CompanionModel;

// The lesson list window `Form4` "课文列表": the learner's lessons, each
// with a tick saying whether it takes part in the rotation, and a strip of
// four picture buttons: add, delete, study, close. It holds the list for
// the whole run, so a close request before the confirmed exit only hides it.
class LessonListWindow : public QWidget {
    Q_OBJECT

public:
    explicit LessonListWindow(CompanionModel& model, QWidget* parent = nullptr);

    // Shows the model's entries, ticks and highlight.
    void refresh();
    // Shows the window modeless, centred on the screen the first time.
    void showWindow();

    // The buttons of the strip; closing is the window's own business.
    std::function<void()> onAddLesson;
    std::function<void()> onDeleteLesson;
    std::function<void()> onStudyLesson;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutControls();

    CompanionModel& model_;
    QWidget* Picture1_ = nullptr;
    QListWidget* List1_ = nullptr;
    std::vector<LessonListEntry> shown_;
    bool placed_ = false;
};

}  // namespace lorvane::companion
