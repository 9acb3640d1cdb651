#pragma once

#include <array>
#include <functional>
#include <string>

#include "common/control_state.h"
#include "common/newest_run.h"

namespace lorvane::trainer {

// The lesson chooser of the trainer, as a model: the lesson folders at the
// top level, the lesson texts inside a folder. Opening a text hands its full
// path to the study window. The window is only ever hidden, never destroyed.
class Form1 {
public:
    // `processEvents` lets the window stay responsive while a list fills;
    // `openLesson` receives the full path of a chosen text.
    Form1(std::string programFolder, std::function<void()> processEvents,
          std::function<void(const std::string& path)> openLesson);

    std::string caption = "课文";
    common::ListBoxState List1;
    std::array<common::ButtonState, 3> Command1;  // "选择", "返回", "关闭"
    bool visible = false;

    // Runs once, when the window is first created, with the open lesson's path.
    void create(const std::string& currentLessonPath);
    bool created() const { return created_; }

    void listfolders();
    void openEntry();  // double-click on the list, or "选择"
    void command1Click(int index);

private:
    void appendTexts(const std::string& folder);
    std::string lessonFolderPath() const;

    std::string programFolder_;
    std::function<void()> processEvents_;
    std::function<void(const std::string&)> openLesson_;
    bool created_ = false;
    // Each listing lets events run after every entry; a click may start a
    // new listing meanwhile, and the older one then stops adding.
    common::NewestRun listings_;
};

}  // namespace lorvane::trainer
