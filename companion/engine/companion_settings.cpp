#include "companion/engine/companion_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/atomic_file.h"
#include "common/ini_file.h"
#include "common/numbers.h"
#include "companion/engine/companion_model.h"
#include "companion/engine/list_file.h"
#include "companion/engine/truth_value.h"

namespace lorvane::companion {

namespace {

constexpr std::string_view kLabelSection = "label";
constexpr std::string_view kConfigSection = "配置";

// girl.dat first: its name names the pair's commit record.
std::vector<std::string> pair(const SettingsFiles& files) {
    return {files.girlDat, files.listgirlDat};
}

class StoredSettings {
public:
    explicit StoredSettings(const common::ini::Document& file) : file_(file) {}

    std::string read(std::string_view section, std::string_view key,
                     std::string_view fallback) const {
        return file_.value(section, key, fallback, common::ini::kBufferChars);
    }
    std::string config(std::string_view key, std::string_view fallback) const {
        return read(kConfigSection, key, fallback);
    }
    void readCheck(std::string_view key, std::string_view fallback, bool& check) const {
        if (const std::optional<bool> value = parseTruthValue(config(key, fallback))) {
            check = *value;
        }
    }
    // Runs `apply` with the stored 16-bit whole number, when there is one.
    template <typename Apply>
    void readSetting(std::string_view key, std::string_view fallback, Apply apply) const {
        if (const std::optional<std::int16_t> value = common::toInt16(config(key, fallback))) {
            apply(*value);
        }
    }

private:
    const common::ini::Document& file_;
};

}  // namespace

SettingsFiles settingsFilesIn(std::string_view lessonFolder) {
    const std::string folder(lessonFolder);
    return {folder + "girl.dat", folder + "listgirl.dat"};
}

void loadSettings(const SettingsFiles& files, CompanionModel& model) {
    // Both files are read as one set: a save killed half-way is finished or
    // thrown away first. A settings file that can't be read gives every
    // default. (Nothing below looks at the lesson list: reading it first
    // changes nothing.)
    common::ini::Document document;
    common::recoverFiles(pair(files), [&](const common::RecoveryResult&) {
        document = common::ini::Document::load(files.girlDat).value_or(common::ini::Document{});
        readListFile(files.listgirlDat, model.form4);
    });
    const StoredSettings stored(document);

    Form1& form = model.form1;
    if (const auto fore = common::toInt32(stored.read(kLabelSection, "ForeColor", "16777215"))) {
        form.Label1.foreColor = *fore;
    }
    form.Text1.foreColor = form.Label1.foreColor;
    if (const auto back = common::toInt32(stored.read(kLabelSection, "BackColor", "8421376"))) {
        form.backColor = *back;
        form.Label1.backColor = *back;
        form.Text1.backColor = *back;
    }

    stored.readSetting("curkewen", "0", [&](std::int16_t index) { model.curkewen = index; });
    stored.readSetting("curword", "0", [&](std::int16_t index) { model.curword = index; });
    // The default "ture" is no truth value: without the key the check stays
    // as it is, and it starts checked.
    stored.readCheck("munOnTop", "ture", model.menu.munOnTop);
    // Twips, rounded to whole ones; a value beyond 16 bits is not applied.
    stored.readSetting("top", "20", [&](std::int16_t twips) { form.top = twips; });
    stored.readSetting("left", "400", [&](std::int16_t twips) { form.left = twips; });
    stored.readCheck("zidongqidong", "True", model.menu.zidongqidong);
    stored.readCheck("suijixianshi", "False", model.menu.suijixianshi);

    // Volume, rate, voice, in this order: each real change reaches the voice.
    stored.readSetting("音量", "50", [&](int volume) { model.form2.setHScroll2(volume); });
    stored.readSetting("语速", "0", [&](int rate) { model.form2.setHScroll1(rate); });
    stored.readSetting("语音", "0", [&](int voice) { model.form2.setCombo1(voice); });
}

bool saveSettings(const SettingsFiles& files, const CompanionModel& model) {
    const Form1& form = model.form1;
    const std::vector<common::ini::Setting> settings = {
        {kLabelSection, "ForeColor", std::to_string(form.Label1.foreColor)},
        {kLabelSection, "BackColor", std::to_string(form.backColor)},
        {kConfigSection, "curkewen", std::to_string(model.curkewen)},
        {kConfigSection, "curword", std::to_string(model.curword)},
        {kConfigSection, "munOnTop", formatTruthValue(model.menu.munOnTop)},
        {kConfigSection, "top", common::formatNumber(form.top)},
        {kConfigSection, "left", common::formatNumber(form.left)},
        {kConfigSection, "zidongqidong", formatTruthValue(model.menu.zidongqidong)},
        {kConfigSection, "suijixianshi", formatTruthValue(model.menu.suijixianshi)},
        {kConfigSection, "音量", std::to_string(model.form2.HScroll2())},
        {kConfigSection, "语速", std::to_string(model.form2.HScroll1())},
        {kConfigSection, "语音", std::to_string(model.form2.combo1())},
    };
    std::optional<common::ini::Document> document;
    common::recoverFiles(pair(files), [&](const common::RecoveryResult&) {
        document = common::ini::Document::load(files.girlDat);
    });
    if (!document) {
        // Replacing a settings file that can't be read would lose its other
        // keys; the list file goes with it or not at all.
        return false;
    }
    for (const common::ini::Setting& setting : settings) {
        document->set(setting.section, setting.key, setting.value);
    }
    // The two files are one set: a kill, a crash or a full disk during the
    // save leaves both as they were or both new.
    return common::replaceFiles({{files.girlDat, document->bytes()},
                                 {files.listgirlDat, encodeListFile(model.form4)}})
        .replaced();
}

}  // namespace lorvane::companion
