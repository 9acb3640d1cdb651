#include "trainer/engine/form1.h"

#include "common/paths.h"
#include "trainer/engine/lesson_listing.h"

namespace lorvane::trainer {

Form1::Form1(std::string programFolder, std::function<void()> processEvents,
             std::function<void(const std::string& path)> openLesson)
    : programFolder_(std::move(programFolder)),
      processEvents_(std::move(processEvents)),
      openLesson_(std::move(openLesson)) {
    Command1[0].caption = "选择";
    Command1[1].caption = "返回";
    Command1[1].enabled = false;
    Command1[2].caption = "关闭";
}

std::string Form1::lessonFolderPath() const {
    return common::lessonFolder(programFolder_);
}

void Form1::create(const std::string& currentLessonPath) {
    created_ = true;
    List1.clear();
    std::string name = common::getfilename(currentLessonPath);
    if (currentLessonPath.empty()) {
        listfolders();
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
        listfolders();
        return;
    }
    caption = common::getfilename(folder);
    int position = 0;
    bool first = true;
    const common::NewestRun::Number fill = listings_.begin();
    listLessonTexts(folder, [&](const std::string& entry) {
        if (!listings_.isNewest(fill) || !List1.add(entry)) {
            return false;
        }
        const bool matches = first ? entry == name : entry.find(name) != std::string::npos;
        if (matches) {
            position = List1.count() - 1;
        }
        first = false;
        processEvents_();
        return listings_.isNewest(fill);
    });
    if (!listings_.isNewest(fill)) {
        return;
    }
    if (List1.count() > 0) {
        List1.select(position);
    }
    Command1[1].enabled = true;
}

void Form1::listfolders() {
    List1.clear();
    caption = "课文";
    const common::NewestRun::Number fill = listings_.begin();
    listFolderEntries(lessonFolderPath(), [this, fill](const std::string& entry) {
        // No dot: skips folders with one in their name and files with an
        // extension; a file without any dot is listed like a folder.
        if (entry.find('.') == std::string::npos && !List1.add(entry)) {
            return false;
        }
        processEvents_();
        return listings_.isNewest(fill);
    });
    if (!listings_.isNewest(fill)) {
        return;  // another listing took over while this one let events run
    }
    for (int i = 0; i < List1.count(); ++i) {
        if (List1.item(i) == caption) {
            List1.select(i);
            break;
        }
    }
}

void Form1::appendTexts(const std::string& folder) {
    const common::NewestRun::Number fill = listings_.begin();
    listLessonTexts(folder, [this, fill](const std::string& entry) {
        if (!List1.add(entry)) {
            return false;
        }
        processEvents_();
        return listings_.isNewest(fill);
    });
}

void Form1::openEntry() {
    if (List1.selected < 0 || List1.selected >= List1.count()) {
        return;
    }
    const std::string entry = List1.item(List1.selected);
    if (entry.find(".txt") != std::string::npos) {
        openLesson_(lessonFolderPath() + caption + "/" + entry);
        return;
    }
    caption = entry;
    List1.clear();
    appendTexts(lessonFolderPath() + entry);
    Command1[1].enabled = true;
}

void Form1::command1Click(int index) {
    switch (index) {
        case 0:
            openEntry();
            break;
        case 1:
            listfolders();
            Command1[1].enabled = false;
            break;
        case 2:
            visible = false;
            break;
        default:
            break;
    }
}

}  // namespace lorvane::trainer
