#include "trainer/engine/lesson_chooser.h"

#include "common/paths.h"
#include "trainer/engine/card_boxes.h"
#include "trainer/engine/lesson_listing.h"

namespace lorvane::trainer {

LessonChooser::LessonChooser(std::string programFolder, std::function<void()> processEvents,
                             std::function<void(const std::string& path)> openLesson)
    : programFolder_(std::move(programFolder)),
      processEvents_(std::move(processEvents)),
      openLesson_(std::move(openLesson)) {}

std::string LessonChooser::lessonFolderPath() const {
    return common::lessonFolder(programFolder_);
}

// Refuses once the list is full.
bool LessonChooser::addEntry(const std::string& entry) {
    if (static_cast<int>(entries_.size()) >= kMaxListEntries) {
        return false;
    }
    entries_.push_back(entry);
    return true;
}

void LessonChooser::selectEntry(int index) {
    if (index >= -1 && index < static_cast<int>(entries_.size())) {
        selected_ = index;
    }
}

void LessonChooser::start(const std::string& currentLessonPath) {
    started_ = true;
    entries_.clear();
    selected_ = -1;
    std::string name = common::getfilename(currentLessonPath);
    if (currentLessonPath.empty()) {
        listFolders();
        return;
    }
    // The lesson's folder: the path without "/" + its file name.
    std::string folder = currentLessonPath;
    const std::string tail = "/" + name;
    for (std::size_t at = folder.find(tail); at != std::string::npos; at = folder.find(tail, at)) {
        folder.erase(at, tail.size());
    }
    // Matched by the part before ".txt", so that a later "ba.txt" can match
    // "a.txt"; a name without ".txt" is matched as it stands.
    if (const std::size_t dot = name.find(".txt"); dot != std::string::npos) {
        name = name.substr(0, dot) + ".txt";
    }
    if (!entryExists(folder)) {
        listFolders();
        return;
    }
    title_ = common::getfilename(folder);
    int position = 0;
    bool first = true;
    const common::NewestRun::Number fill = listings_.begin();
    listLessonTexts(folder, [&](const std::string& entry) {
        if (!listings_.isNewest(fill) || !addEntry(entry)) {
            return false;
        }
        const bool matches = first ? entry == name : entry.find(name) != std::string::npos;
        if (matches) {
            position = static_cast<int>(entries_.size()) - 1;
        }
        first = false;
        processEvents_();
        return listings_.isNewest(fill);
    });
    if (!listings_.isNewest(fill)) {
        return;
    }
    if (!entries_.empty()) {
        selected_ = position;
    }
    canGoBack_ = true;
}

void LessonChooser::listFolders() {
    entries_.clear();
    selected_ = -1;
    title_ = "课文";
    const common::NewestRun::Number fill = listings_.begin();
    listFolderEntries(lessonFolderPath(), [this, fill](const std::string& entry) {
        // No dot: skips folders with one in their name and files with an
        // extension; a file without any dot is listed like a folder.
        if (entry.find('.') == std::string::npos && !addEntry(entry)) {
            return false;
        }
        processEvents_();
        return listings_.isNewest(fill);
    });
    if (!listings_.isNewest(fill)) {
        return;  // another listing took over while this one let events run
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] == title_) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
}

void LessonChooser::appendTexts(const std::string& folder) {
    const common::NewestRun::Number fill = listings_.begin();
    listLessonTexts(folder, [this, fill](const std::string& entry) {
        if (!addEntry(entry)) {
            return false;
        }
        processEvents_();
        return listings_.isNewest(fill);
    });
}

void LessonChooser::openSelected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(entries_.size())) {
        return;
    }
    const std::string entry = entries_[static_cast<std::size_t>(selected_)];
    if (entry.find(".txt") != std::string::npos) {
        openLesson_(lessonFolderPath() + title_ + "/" + entry);
        return;
    }
    title_ = entry;
    entries_.clear();
    selected_ = -1;
    appendTexts(lessonFolderPath() + entry);
    canGoBack_ = true;
}

void LessonChooser::goBack() {
    listFolders();
    canGoBack_ = false;
}

}  // namespace lorvane::trainer
