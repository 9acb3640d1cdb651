#include "trainer/engine/progress_read_ahead.h"

#include "common/paths.h"
#include "common/read_ahead.h"
#include "trainer/engine/study_settings.h"

namespace lorvane::trainer {

std::optional<ProgressReadAhead> readProgressAhead(const std::string& programFolder) {
    // Only the lesson is wanted: the screen and the voices, which the other
    // values are checked against, don't matter here.
    StudySettings stored;
    readStudySettings(studySettingsFile(programFolder), 0, 0, 0, stored);
    if (!stored.lesson || stored.lesson->empty()) {
        return std::nullopt;
    }
    const auto base = common::lessonBaseName(*stored.lesson);
    if (!base) {
        return std::nullopt;
    }
    return ProgressReadAhead{*base, readProgress(*base)};
}

std::future<std::optional<ProgressReadAhead>> startReadingProgressAhead(std::string programFolder) {
    return common::startReadingAhead(
        [folder = std::move(programFolder)] { return readProgressAhead(folder); });
}

}  // namespace lorvane::trainer
