// The study window's settings file dan.dat: window place and size, the five
// options, the voice, the rate and the open lesson.
#include <cstdio>
#include <optional>
#include <vector>

#include "common/atomic_file.h"
#include "common/ini_file.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/stored_path.h"
#include "common/text_file.h"
#include "trainer/engine/form2.h"

namespace lorvane::trainer {

namespace {
constexpr std::string_view kSection = "单词";
}

std::string Form2::settingsFile() const {
    return common::lessonFolder(programFolder_) + "dan.dat";
}

void Form2::setupVoice() {
    combo1.clear();
    for (const std::string& description : voice_.voiceDescriptions()) {
        combo1.add(description);
    }
}

void Form2::combo1Click() {
    if (combo1.selected >= 0) {
        voice_.selectVoice(combo1.selected);
    }
}

void Form2::hscroll1Change() {
    voice_.setRate(HScroll1);
}

void Form2::loadsetting(int screenWidth, int screenHeight) {
    const std::string file = settingsFile();
    // Read once; a file that can't be read gives every default. A temporary
    // file left by a killed save goes on the way.
    common::ini::Document settings;
    common::recoverFiles({file}, [&](const common::RecoveryResult&) {
        settings = common::ini::Document::load(file).value_or(common::ini::Document{});
    });
    // Every step is tried; a value that is missing, not a number or refused
    // by its control leaves the control as it was.
    auto number = [&settings](std::string_view key, const std::string& fallback) {
        return common::toInt16(settings.value(kSection, key, fallback));
    };
    if (const auto v = number("width", "6165")) {
        width = *v;
    }
    if (const auto v = number("height", "4125")) {
        height = *v;
    }
    if (const auto v = number("left", common::formatNumber(screenWidth / 2.0 - 3000))) {
        left = *v;
    }
    if (const auto v = number("top", common::formatNumber(screenHeight / 2.0 - 2000))) {
        top = *v;
    }
    const char* defaults[] = {"0", "1", "0", "0", "0"};
    for (int i = 0; i < 5; ++i) {
        const auto v = number("check" + std::to_string(i), defaults[i]);
        common::CheckBoxState& box = Check1[static_cast<std::size_t>(i)];
        if (v && *v >= 0 && *v <= 2 && *v != box.value) {
            box.value = *v;
            check1Click(i);
        }
    }
    if (const auto v = number("角色", "0"); v && *v >= -1 && *v < combo1.count()) {
        if (*v != combo1.selected) {
            combo1.selected = *v;
            combo1Click();
        }
    }
    if (const auto v = number("语速", "0");
        v && *v >= speech::Voice::kMinRate && *v <= speech::Voice::kMaxRate) {
        if (*v != HScroll1) {
            HScroll1 = *v;
            hscroll1Change();
        }
    }
    // A stored lesson path must never be cut short.
    const std::string stored(
        common::trimSpaces(settings.value(kSection, "filename", "无", common::ini::kWholeValue)));
    Tag = common::pathFromStoredText(stored);
    if (Tag.starts_with("无")) {
        Tag.clear();
        if (onShowChooser) {
            onShowChooser();
        }
        return;
    }
    if (!Tag.empty()) {
        loadlist();
    }
}

void Form2::savesetting() {
    // A path with a line break can't stand in the file (the learner was told
    // when the lesson was opened); no lesson is better than a wrong one.
    const std::string filename = holdsLineBreak(Tag) ? std::string() : common::storedPathText(Tag);
    // Written in one go: a kill leaves the old file or the new one, never
    // keys of two closings.
    const std::vector<common::ini::Setting> values = {
        {kSection, "width", common::formatNumber(width)},
        {kSection, "height", common::formatNumber(height)},
        {kSection, "top", common::formatNumber(top)},
        {kSection, "left", common::formatNumber(left)},
        {kSection, "filename", filename},
        {kSection, "check0", std::to_string(Check1[0].value)},
        {kSection, "check1", std::to_string(Check1[1].value)},
        {kSection, "check2", std::to_string(Check1[2].value)},
        {kSection, "check3", std::to_string(Check1[3].value)},
        {kSection, "check4", std::to_string(Check1[4].value)},
        {kSection, "角色", std::to_string(combo1.selected)},
        {kSection, "语速", std::to_string(HScroll1)},
    };
    // A failed write is not worth a message at closing time: the next start
    // reads the older values or the defaults.
    std::string error;
    if (!common::ini::writeValues(settingsFile(), values, &error)) {
        std::fprintf(stderr, "Lorvane: settings not saved, %s\n", error.c_str());
    }
}

bool holdsLineBreak(std::string_view path) {
    return path.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace lorvane::trainer
