#include "companion_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "atomic_file.h"
#include "companion_model.h"
#include "ini_file.h"
#include "list_file.h"
#include "numbers.h"
#include "truth_value.h"

namespace {

constexpr std::string_view kLabelSection = "label";
constexpr std::string_view kConfigSection = "配置";

std::string read(const SettingsFiles& files, std::string_view section, std::string_view key,
                 std::string_view fallback) {
    return ini::readValue(files.girlDat, section, key, fallback, ini::kBufferChars);
}

std::string config(const SettingsFiles& files, std::string_view key, std::string_view fallback) {
    return read(files, kConfigSection, key, fallback);
}

void readCheck(const SettingsFiles& files, std::string_view key, std::string_view fallback,
               bool& check) {
    if (const std::optional<bool> value = parseTruthValue(config(files, key, fallback))) {
        check = *value;
    }
}

// Runs `apply` with the stored 16-bit whole number, when there is one.
template <typename Apply>
void readSetting(const SettingsFiles& files, std::string_view key, std::string_view fallback,
                 Apply apply) {
    if (const std::optional<std::int16_t> value = toInt16(config(files, key, fallback))) {
        apply(*value);
    }
}

}  // namespace

SettingsFiles settingsFilesIn(std::string_view lessonFolder) {
    const std::string folder(lessonFolder);
    return {folder + "girl.dat", folder + "listgirl.dat"};
}

void loadSettings(const SettingsFiles& files, CompanionModel& model) {
    Form1& form = model.form1;
    if (const auto fore = toInt32(read(files, kLabelSection, "ForeColor", "16777215"))) {
        form.Label1.foreColor = *fore;
    }
    form.Text1.foreColor = form.Label1.foreColor;
    if (const auto back = toInt32(read(files, kLabelSection, "BackColor", "8421376"))) {
        form.backColor = *back;
        form.Label1.backColor = *back;
        form.Text1.backColor = *back;
    }

    readSetting(files, "curkewen", "0", [&](std::int16_t index) { model.curkewen = index; });
    readSetting(files, "curword", "0", [&](std::int16_t index) { model.curword = index; });
    // The default "ture" is no truth value: without the key the check stays
    // as it is, and it starts checked.
    readCheck(files, "munOnTop", "ture", model.menu.munOnTop);
    // Twips, rounded to whole ones; a value beyond 16 bits is not applied.
    readSetting(files, "top", "20", [&](std::int16_t twips) { form.top = twips; });
    readSetting(files, "left", "400", [&](std::int16_t twips) { form.left = twips; });
    readCheck(files, "zidongqidong", "True", model.menu.zidongqidong);
    readCheck(files, "suijixianshi", "False", model.menu.suijixianshi);

    // Volume, rate, voice, in this order: each real change reaches the voice.
    readSetting(files, "音量", "50", [&](int volume) { model.form2.setHScroll2(volume); });
    readSetting(files, "语速", "0", [&](int rate) { model.form2.setHScroll1(rate); });
    readSetting(files, "语音", "0", [&](int voice) { model.form2.setCombo1(voice); });

    readListFile(files.listgirlDat, model.form4);
}

bool saveSettings(const SettingsFiles& files, const CompanionModel& model) {
    const Form1& form = model.form1;
    const std::pair<std::string_view, std::string> label[] = {
        {"ForeColor", std::to_string(form.Label1.foreColor)},
        {"BackColor", std::to_string(form.backColor)},
    };
    const std::pair<std::string_view, std::string> config[] = {
        {"curkewen", std::to_string(model.curkewen)},
        {"curword", std::to_string(model.curword)},
        {"munOnTop", formatTruthValue(model.menu.munOnTop)},
        {"top", formatNumber(form.top)},
        {"left", formatNumber(form.left)},
        {"zidongqidong", formatTruthValue(model.menu.zidongqidong)},
        {"suijixianshi", formatTruthValue(model.menu.suijixianshi)},
        {"音量", std::to_string(model.form2.HScroll2())},
        {"语速", std::to_string(model.form2.HScroll1())},
        {"语音", std::to_string(model.form2.combo1())},
    };
    bool allWritten = true;
    for (const auto& [key, value] : label) {
        allWritten = ini::writeValue(files.girlDat, kLabelSection, key, value) && allWritten;
    }
    for (const auto& [key, value] : config) {
        allWritten = ini::writeValue(files.girlDat, kConfigSection, key, value) && allWritten;
    }
    // Replaced whole through a temporary file: a crash or a full disk during
    // the save leaves the learner's previous lesson list in place.
    return writeFileAtomically(files.listgirlDat, encodeListFile(model.form4)) && allWritten;
}
