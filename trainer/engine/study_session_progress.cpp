// Saving and restoring the six card boxes of the open lesson.
#include "common/error_text.h"
#include "common/paths.h"
#include "trainer/engine/progress_files.h"
#include "trainer/engine/study_session.h"

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

// The progress files are named after the lesson up to its ".txt": a lesson
// named otherwise has none, and none can be written for it.
std::string StudySession::noProgressNotice(const std::string& lesson) {
    return "课文“" + common::getfilename(lesson) +
           "”的名字里没有“.txt”，学习进度无法读取，也无法保存。";
}

common::Status StudySession::saveProgress() {
    if (lesson_.empty()) {
        return {};  // no lesson open: nothing to save
    }
    if (keepUnreadProgress_) {
        // The restore could not read every progress file, and the learner
        // was told then that this run's study is not saved.
        return common::Failure{"这次的学习不会保存，以免盖掉没有读出的进度文件。"};
    }
    const auto base = common::lessonBaseName(lesson_);
    if (!base) {
        // The learner read this on the message line when the lesson came up;
        // a message box at every close would only repeat it.
        return common::Failure{noProgressNotice(lesson_)};
    }
    std::array<const std::vector<std::string_view>*, kBoxCount> boxes{};
    for (BoxId box = 0; box < kBoxCount; ++box) {
        boxes[static_cast<std::size_t>(box)] = &boxes_.entries(box);
    }
    const common::ReplaceResult result = writeProgress(*base, boxes);
    std::string problem;
    switch (result.outcome) {
        case common::ReplaceResult::Outcome::Replaced:
            return {};
        case common::ReplaceResult::Outcome::Unchanged:
            logFailure("cannot save progress,", result.path, result.errnoValue);
            problem = "学习进度没有保存成功，原来的进度文件保持不变。\n" +
                      fileProblem(result.path, result.errnoValue);
            break;
        case common::ReplaceResult::Outcome::Unfinished:
            logFailure("progress saved but not yet in place,", result.path, result.errnoValue);
            problem = "新的学习进度已经写好，但还没有全部换上：" +
                      fileProblem(result.path, result.errnoValue) +
                      "\n下次打开这篇课文时会再把它换上。";
            break;
    }
    prompts_.warn(problem);
    return common::Failure{problem};
}

StudyChanges StudySession::leaveLessonByMouse() {
    (void)saveProgress();  // a failure has been told in a message box
    return takeChanges();
}

common::Status StudySession::restoreProgress(const std::string& lessonPath) {
    lesson_ = lessonPath;
    if (!restore()) {
        return common::Failure{message_};
    }
    return {};
}

// The progress read ahead, when it is of these files; else read now.
ProgressRead StudySession::readProgressOf(const std::string& baseName) {
    if (readAhead_.valid()) {
        std::optional<ProgressReadAhead> ahead = readAhead_.get();
        if (ahead && ahead->baseName == baseName) {
            return std::move(ahead->read);
        }
    }
    return readProgress(baseName);
}

// False, with the reason on the message line, when the progress could not
// be read whole.
bool StudySession::restore() {
    const auto base = common::lessonBaseName(lesson_);
    if (!base) {
        setMessage(noProgressNotice(lesson_));
        return false;
    }
    boxes_.clear();
    mark(StudyPart::Boxes);
    keepUnreadProgress_ = false;
    ProgressRead read = readProgressOf(*base);
    std::string notice;
    for (BoxId box = 0; box < kBoxCount && box != read.unreadBox; ++box) {
        const std::string cut = addToBox(box, std::move(read.boxes[static_cast<std::size_t>(box)]),
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
        std::string problem;
        if (read.recovery.outcome == common::RecoveryResult::Outcome::Unfinished) {
            logFailure("cannot finish the last progress save,", read.recovery.path,
                       read.recovery.errnoValue);
            problem = "上次保存的学习进度没能全部换上，无法读取。" +
                      fileProblem(read.recovery.path, read.recovery.errnoValue);
        } else {
            problem = "无法读取学习进度“" +
                      common::getfilename(progressFileName(*base, read.unreadBox)) + "”：" +
                      read.error;
        }
        if (keepUnreadProgress_) {
            problem += " 这次的学习不会保存，以免盖掉没有读出的进度文件。";
        }
        setMessage(problem);
        return false;
    }
    if (!boxes_.selectEntry(kNewWordBox, 0)) {
        // Every word has left the new-word box: the learner picks a box.
        clearDisplay();
        setMessage(notice.empty() ? "生词卡里已经没有单词了，请选择一个卡片。" : notice);
        return true;
    }
    (void)boxes_.choose(kNewWordBox);  // always a box
    currentEntry_ = 0;
    resetRecorder();
    show(0);
    if (!notice.empty()) {
        setMessage(notice);
    }
    return true;
}

}  // namespace lorvane::trainer
