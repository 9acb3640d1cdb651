// Saving and restoring the six card boxes of the open lesson.
#include "common/error_text.h"
#include "common/paths.h"
#include "trainer/engine/form2.h"
#include "trainer/engine/progress_files.h"

namespace lorvane::trainer {

namespace {

// "“第一课.lt3”：磁盘已满。"
std::string fileProblem(const std::string& path, int errnoValue) {
    return "“" + common::getfilename(path) + "”：" + common::describeSystemError(errnoValue) + "。";
}

// The system's own words go to stderr.
void logFailure(const std::string& what, const std::string& path, int errnoValue) {
    common::logSystemError("Lorvane: " + what + " " + path, errnoValue);
}

}  // namespace

bool Form2::savelist() {
    if (Tag.empty()) {
        return true;  // no lesson open: nothing to save
    }
    if (keepUnreadProgress_) {
        // The restore could not read every progress file, and the learner
        // was told then that this run's study is not saved.
        return false;
    }
    const auto base = common::lessonBaseName(Tag);
    if (!base) {
        prompts_.warn("课文“" + common::getfilename(Tag) +
                      "”的名字不以“.txt”结尾，学习进度无法保存。");
        return false;
    }
    std::array<const std::vector<std::string>*, kBoxCount> boxes{};
    for (int box = 0; box < kBoxCount; ++box) {
        boxes[static_cast<std::size_t>(box)] = &List2[static_cast<std::size_t>(box)].items();
    }
    const common::ReplaceResult result = writeProgress(*base, boxes);
    switch (result.outcome) {
        case common::ReplaceResult::Outcome::Replaced:
            return true;
        case common::ReplaceResult::Outcome::Unchanged:
            logFailure("cannot save progress,", result.path, result.errnoValue);
            prompts_.warn("学习进度没有保存成功，原来的进度文件保持不变。\n" +
                          fileProblem(result.path, result.errnoValue));
            return false;
        case common::ReplaceResult::Outcome::Unfinished:
            logFailure("progress saved but not yet in place,", result.path, result.errnoValue);
            prompts_.warn("新的学习进度已经写好，但还没有全部换上：" +
                          fileProblem(result.path, result.errnoValue) +
                          "\n下次打开这篇课文时会再把它换上。");
            return false;
    }
    return false;
}

bool Form2::loadlist() {
    const auto base = common::lessonBaseName(Tag);
    if (!base) {
        Label6.caption =
            "课文“" + common::getfilename(Tag) + "”的名字不以“.txt”结尾，没有学习进度。";
        return false;
    }
    for (common::ListBoxState& box : List2) {
        box.clear();
    }
    keepUnreadProgress_ = false;
    const ProgressRead read = readProgress(*base);
    std::string notice;
    for (int box = 0; box < kBoxCount && box != read.unreadBox; ++box) {
        const std::string cut = addToBox(box, read.boxes[static_cast<std::size_t>(box)],
                                         common::getfilename(progressFileName(*base, box)));
        if (notice.empty()) {
            notice = cut;
        }
    }
    if (!read.complete()) {
        // The boxes before the unread file keep what was read. Saving them
        // would overwrite the unread files with empty boxes, losing their
        // words for good: this run leaves the files alone.
        keepUnreadProgress_ = read.unreadFilesExist;
        clearDisplay();
        if (read.recovery.outcome == common::RecoveryResult::Outcome::Unfinished) {
            logFailure("cannot finish the last progress save,", read.recovery.path,
                       read.recovery.errnoValue);
            Label6.caption = "上次保存的学习进度没能全部换上，无法读取。" +
                             fileProblem(read.recovery.path, read.recovery.errnoValue);
        } else {
            Label6.caption = "无法读取学习进度“" +
                             common::getfilename(progressFileName(*base, read.unreadBox)) + "”：" +
                             read.error;
        }
        if (keepUnreadProgress_) {
            Label6.caption += " 这次的学习不会保存，以免盖掉没有读出的进度文件。";
        }
        return false;
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

}  // namespace lorvane::trainer
