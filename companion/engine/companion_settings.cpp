#include "companion/engine/companion_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/atomic_file.h"
#include "common/error_text.h"
#include "common/ini_file.h"
#include "common/numbers.h"
#include "companion/engine/companion_state.h"
#include "companion/engine/list_file.h"
#include "companion/engine/truth_value.h"

namespace lorvane::companion {

namespace {

constexpr std::string_view kLabelSection = "label";
constexpr std::string_view kConfigSection = "配置";

// girl.dat first: its name names the pair's commit record.
std::vector<std::string> pair(const SettingsFiles& files) {
    return {files.settingsFile, files.lessonListFile};
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
    void readOption(std::string_view key, std::string_view fallback, MenuOption option,
                    MenuOptions& options) const {
        if (const std::optional<bool> value = parseTruthValue(config(key, fallback))) {
            options.set(option, *value);
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

namespace {

// Both files are read as one set: a save killed half-way is finished or
// thrown away first. A settings file that can't be read gives every default.
common::ini::Document readStoredSet(const SettingsFiles& files, LessonList& lessons) {
    common::ini::Document document;
    // What a recovery could not finish is read as it stands; the next save
    // commits a whole set again.
    (void)common::recoverFiles(pair(files), [&](const common::RecoveryResult&) {
        document = common::ini::Document::load(files.settingsFile).valueOr(common::ini::Document{});
        // An unreadable list file leaves the list empty, as a missing one.
        (void)readListFile(files.lessonListFile, lessons);
    });
    return document;
}

}  // namespace

void loadSettings(const SettingsFiles& files, CompanionState& state) {
    // (Nothing below looks at the lesson list: reading it first changes
    // nothing.)
    const common::ini::Document document = readStoredSet(files, state.lessons);
    const StoredSettings stored(document);

    if (const auto text = common::toInt32(stored.read(kLabelSection, "ForeColor", "16777215"))) {
        state.colours.text = *text;
    }
    if (const auto back = common::toInt32(stored.read(kLabelSection, "BackColor", "8421376"))) {
        state.colours.background = *back;
    }

    stored.readSetting("curkewen", "0", [&](std::int16_t index) { state.cursor.setLesson(index); });
    stored.readSetting("curword", "0", [&](std::int16_t index) { state.cursor.setItem(index); });
    // The default "ture" is no truth value: without the key the option stays
    // as it is, and it starts on.
    stored.readOption("munOnTop", "ture", MenuOption::AlwaysOnTop, state.options);
    // Twips, rounded to whole ones; a value beyond 16 bits is not applied.
    stored.readSetting("top", "20", [&](std::int16_t twips) { state.place.top = twips; });
    stored.readSetting("left", "400", [&](std::int16_t twips) { state.place.left = twips; });
    stored.readOption("zidongqidong", "True", MenuOption::StartAtLogon, state.options);
    stored.readOption("suijixianshi", "False", MenuOption::RandomOrder, state.options);

    // Volume, rate, voice, in this order: each real change reaches the voice.
    // A stored value out of range is not applied, as one that doesn't convert.
    stored.readSetting("音量", "50", [&](int volume) { (void)state.voice.setVolume(volume); });
    stored.readSetting("语速", "0", [&](int rate) { (void)state.voice.setRate(rate); });
    stored.readSetting("语音", "0", [&](int voice) { (void)state.voice.selectVoice(voice); });
}

std::optional<std::string> lessonToReopen(const SettingsFiles& files) {
    LessonList lessons;
    const common::ini::Document document = readStoredSet(files, lessons);
    std::int16_t current = 0;
    StoredSettings(document).readSetting("curkewen", "0",
                                         [&](std::int16_t index) { current = index; });
    if (!lessons.anyTicked() || !lessons.contains(current)) {
        return std::nullopt;
    }
    return lessons.at(current).path;
}

common::Status saveSettings(const SettingsFiles& files, const CompanionState& state) {
    const MenuOptions& options = state.options;
    const std::vector<common::ini::Setting> settings = {
        {kLabelSection, "ForeColor", std::to_string(state.colours.text)},
        {kLabelSection, "BackColor", std::to_string(state.colours.background)},
        {kConfigSection, "curkewen", std::to_string(state.cursor.lesson())},
        {kConfigSection, "curword", std::to_string(state.cursor.item())},
        {kConfigSection, "munOnTop", formatTruthValue(options.isOn(MenuOption::AlwaysOnTop))},
        {kConfigSection, "top", common::formatNumber(state.place.top)},
        {kConfigSection, "left", common::formatNumber(state.place.left)},
        {kConfigSection, "zidongqidong", formatTruthValue(options.isOn(MenuOption::StartAtLogon))},
        {kConfigSection, "suijixianshi", formatTruthValue(options.isOn(MenuOption::RandomOrder))},
        {kConfigSection, "音量", std::to_string(state.voice.volume())},
        {kConfigSection, "语速", std::to_string(state.voice.rate())},
        {kConfigSection, "语音", std::to_string(state.voice.voiceIndex())},
    };
    common::Result<common::ini::Document> document = common::Failure{};
    // An unfinished recovery leaves the set for replaceFiles to commit anew.
    (void)common::recoverFiles(pair(files), [&](const common::RecoveryResult&) {
        document = common::ini::Document::load(files.settingsFile);
    });
    if (!document) {
        // Replacing a settings file that can't be read would lose its other
        // keys; the list file goes with it or not at all.
        return common::Failure{"设置没有保存：读不出 " + files.settingsFile};
    }
    for (const common::ini::Setting& setting : settings) {
        // Fixed keys and numbers: nothing here can hold a line break.
        (void)document.value().set(setting.section, setting.key, setting.value);
    }
    // The two files are one set: a kill, a crash or a full disk during the
    // save leaves both as they were or both new.
    const common::ReplaceResult replaced =
        common::replaceFiles({{files.settingsFile, document.value().bytes()},
                              {files.lessonListFile, encodeListFile(state.lessons)}});
    if (!replaced.replaced()) {
        return common::Failure{"设置没有保存：" + replaced.path + "：" +
                               common::describeSystemError(replaced.errnoValue)};
    }
    return {};
}

}  // namespace lorvane::companion
