// The study window's settings file dan.dat: window place and size, the five
// options, the voice, the rate and the open lesson.
#include <optional>

#include "form2.h"
#include "ini_file.h"
#include "numbers.h"
#include "paths.h"
#include "text_file.h"

namespace {
constexpr std::string_view kSection = "单词";
}

std::string Form2::settingsFile() const {
    return lessonFolder(programFolder_) + "dan.dat";
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
    // Every step is tried; a value that is missing, not a number or refused
    // by its control leaves the control as it was.
    auto number = [&file](std::string_view key, const std::string& fallback) {
        return toInt16(ini::readValue(file, kSection, key, fallback));
    };
    if (const auto v = number("width", "6165")) {
        width = *v;
    }
    if (const auto v = number("height", "4125")) {
        height = *v;
    }
    if (const auto v = number("left", formatNumber(screenWidth / 2.0 - 3000))) {
        left = *v;
    }
    if (const auto v = number("top", formatNumber(screenHeight / 2.0 - 2000))) {
        top = *v;
    }
    const char* defaults[] = {"0", "1", "0", "0", "0"};
    for (int i = 0; i < 5; ++i) {
        const auto v = number("check" + std::to_string(i), defaults[i]);
        CheckBoxState& box = Check1[static_cast<std::size_t>(i)];
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
    if (const auto v = number("语速", "0"); v && *v >= Voice::kMinRate && *v <= Voice::kMaxRate) {
        if (*v != HScroll1) {
            HScroll1 = *v;
            hscroll1Change();
        }
    }
    // A stored lesson path must never be cut short.
    Tag =
        std::string(trimSpaces(ini::readValue(file, kSection, "filename", "无", ini::kWholeValue)));
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
    const std::string file = settingsFile();
    const std::pair<const char*, std::string> values[] = {
        {"width", formatNumber(width)},
        {"height", formatNumber(height)},
        {"top", formatNumber(top)},
        {"left", formatNumber(left)},
        {"filename", Tag},
        {"check0", std::to_string(Check1[0].value)},
        {"check1", std::to_string(Check1[1].value)},
        {"check2", std::to_string(Check1[2].value)},
        {"check3", std::to_string(Check1[3].value)},
        {"check4", std::to_string(Check1[4].value)},
        {"角色", std::to_string(combo1.selected)},
        {"语速", std::to_string(HScroll1)},
    };
    // A failed write is not worth a message at closing time: the next start
    // reads the older values or the defaults.
    for (const auto& [key, value] : values) {
        ini::writeValue(file, kSection, key, value);
    }
}
