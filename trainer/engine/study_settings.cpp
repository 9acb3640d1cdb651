// The settings file dan.dat: window place and size, the five options, the
// voice, the rate and the open lesson.
#include "trainer/engine/study_settings.h"

#include <vector>

#include "common/atomic_file.h"
#include "common/ini_file.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/stored_path.h"
#include "common/text_file.h"
#include "speech/voice.h"

namespace lorvane::trainer {

namespace {
constexpr std::string_view kSection = "单词";
}

std::string studySettingsFile(const std::string& programFolder) {
    return common::lessonFolder(programFolder) + "dan.dat";
}

void readStudySettings(const std::string& file, int screenWidth, int screenHeight, int voiceCount,
                       StudySettings& settings) {
    // Read once; a file that can't be read gives every default. A temporary
    // file left by a killed save goes on the way.
    common::ini::Document stored;
    common::recoverFiles({file}, [&](const common::RecoveryResult&) {
        stored = common::ini::Document::load(file).valueOr(common::ini::Document{});
    });
    auto number = [&stored](std::string_view key, const std::string& fallback) {
        return common::toInt16(stored.value(kSection, key, fallback));
    };
    WindowPlace& place = settings.place;
    if (const auto v = number("width", "6165")) {
        place.width = *v;
    }
    if (const auto v = number("height", "4125")) {
        place.height = *v;
    }
    if (const auto v = number("left", common::formatNumber(screenWidth / 2.0 - 3000))) {
        place.left = *v;
    }
    if (const auto v = number("top", common::formatNumber(screenHeight / 2.0 - 2000))) {
        place.top = *v;
    }
    const char* defaults[] = {"0", "1", "0", "0", "0"};
    for (int i = 0; i < kStudyOptionCount; ++i) {
        const auto v = number("check" + std::to_string(i), defaults[i]);
        if (v && *v >= 0 && *v <= 2) {
            settings.options[static_cast<std::size_t>(i)] = static_cast<OptionState>(*v);
        }
    }
    if (const auto v = number("角色", "0"); v && *v >= -1 && *v < voiceCount) {
        settings.voice = *v;
    }
    if (const auto v = number("语速", "0");
        v && *v >= speech::Voice::kMinRate && *v <= speech::Voice::kMaxRate) {
        settings.rate = *v;
    }
    // A stored lesson path must never be cut short.
    const std::string path = common::pathFromStoredText(std::string(
        common::trimSpaces(stored.value(kSection, "filename", "无", common::ini::kWholeValue))));
    if (path.starts_with("无")) {
        settings.lesson.reset();
    } else {
        settings.lesson = path;
    }
}

common::Status writeStudySettings(const std::string& file, const StudySettings& settings) {
    // A path with a line break can't stand in the file (the learner was told
    // when the lesson was opened); no lesson is better than a wrong one.
    const std::string lesson = settings.lesson.value_or(std::string());
    const std::string filename =
        holdsLineBreak(lesson) ? std::string() : common::storedPathText(lesson);
    auto option = [&settings](StudyOption which) {
        return std::to_string(static_cast<int>(settings.options[static_cast<std::size_t>(which)]));
    };
    const std::vector<common::ini::Setting> values = {
        {kSection, "width", common::formatNumber(settings.place.width)},
        {kSection, "height", common::formatNumber(settings.place.height)},
        {kSection, "top", common::formatNumber(settings.place.top)},
        {kSection, "left", common::formatNumber(settings.place.left)},
        {kSection, "filename", filename},
        {kSection, "check0", option(StudyOption::ShowEnglish)},
        {kSection, "check1", option(StudyOption::ShowMeaning)},
        {kSection, "check2", option(StudyOption::SpeakWords)},
        {kSection, "check3", option(StudyOption::AutoPageTurn)},
        {kSection, "check4", option(StudyOption::RandomWord)},
        {kSection, "角色", std::to_string(settings.voice)},
        {kSection, "语速", std::to_string(settings.rate)},
    };
    if (const common::Status written = common::ini::writeValues(file, values); !written) {
        return common::Failure{"设置没有保存：" + written.message()};
    }
    return {};
}

bool holdsLineBreak(std::string_view path) {
    return path.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace lorvane::trainer
