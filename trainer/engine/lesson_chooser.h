#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/newest_run.h"

namespace lorvane::trainer {

// The lesson chooser of the trainer: the lesson folders at the top level,
// the lesson texts inside a folder. Opening a text hands its full path to
// the study session. The window is only ever hidden, never destroyed.
class LessonChooser {
public:
    // `processEvents` lets the window stay responsive while a list fills;
    // `openLesson` receives the full path of a chosen text.
    LessonChooser(std::string programFolder, std::function<void()> processEvents,
                  std::function<void(const std::string& path)> openLesson);

    // --- what the window shows ---
    const std::string& title() const { return title_; }  // "课文" or the folder's name
    const std::vector<std::string>& entries() const { return entries_; }
    int selectedEntry() const { return selected_; }  // -1: none
    bool canGoBack() const { return canGoBack_; }    // "返回"
    bool visible() const { return visible_; }

    // Runs once, when the window is first shown, with the open lesson's path.
    void start(const std::string& currentLessonPath);
    bool started() const { return started_; }

    void show() { visible_ = true; }
    void selectEntry(int index);
    void listFolders();
    void openSelected();                // a double click on the list, or "选择"
    void goBack();                      // "返回"
    void close() { visible_ = false; }  // "关闭", or the window's close button

private:
    bool addEntry(const std::string& entry);
    void appendTexts(const std::string& folder);
    std::string lessonFolderPath() const;

    std::string programFolder_;
    std::function<void()> processEvents_;
    std::function<void(const std::string&)> openLesson_;
    std::string title_ = "课文";
    std::vector<std::string> entries_;
    int selected_ = -1;
    bool canGoBack_ = false;
    bool visible_ = false;
    bool started_ = false;
    // Each listing lets events run after every entry; a click may start a
    // new listing meanwhile, and the older one then stops adding.
    common::NewestRun listings_;
};

}  // namespace lorvane::trainer
