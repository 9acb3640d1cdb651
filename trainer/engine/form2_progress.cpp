// Saving and restoring the six card boxes of the open lesson.
#include "form2.h"
#include "paths.h"
#include "progress_files.h"

bool Form2::savelist() {
    if (Tag.empty()) {
        return true;  // no lesson open: nothing to save
    }
    const auto base = lessonBaseName(Tag);
    if (!base) {
        prompts_.warn("课文“" + getfilename(Tag) + "”的名字不以“.txt”结尾，学习进度无法保存。");
        return false;
    }
    std::array<const std::vector<std::string>*, kBoxCount> boxes{};
    for (int box = 0; box < kBoxCount; ++box) {
        boxes[static_cast<std::size_t>(box)] = &List2[static_cast<std::size_t>(box)].items();
    }
    std::string error;
    if (!writeProgress(*base, boxes, &error)) {
        prompts_.warn("学习进度没有保存成功，原来的进度文件保持不变。\n" + error);
        return false;
    }
    return true;
}

bool Form2::loadlist() {
    const auto base = lessonBaseName(Tag);
    if (!base) {
        Label6.caption = "课文“" + getfilename(Tag) + "”的名字不以“.txt”结尾，没有学习进度。";
        return false;
    }
    std::string notice;
    for (int box = 0; box < kBoxCount; ++box) {
        List2[static_cast<std::size_t>(box)].clear();
        std::string error;
        const auto entries = readProgressBox(*base, box, &error);
        if (!entries) {
            // The boxes before this one keep what was read.
            clearDisplay();
            Label6.caption =
                "无法读取学习进度“" + getfilename(progressFileName(*base, box)) + "”：" + error;
            return false;
        }
        const std::string cut = addToBox(box, *entries, getfilename(progressFileName(*base, box)));
        if (notice.empty()) {
            notice = cut;
        }
    }
    if (!List2[kNewWordBox].select(0)) {
        // Every word has left the new-word box: the learner picks a box.
        clearDisplay();
        Label6.caption = notice.empty() ? "生词卡里已经没有单词了，请选择一个卡片。" : notice;
        return true;
    }
    List1.select(kNewWordBox);
    Timer1.tag = "0";
    resetRecorder();
    showword(0);
    if (!notice.empty()) {
        Label6.caption = notice;
    }
    return true;
}
