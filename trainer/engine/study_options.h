#pragma once

#include <array>
#include <cstddef>

namespace lorvane::trainer {

// The five options above the study area, in the order of their check boxes.
enum class StudyOption {
    ShowEnglish,   // "显示英文"
    ShowMeaning,   // "显示中文"
    SpeakWords,    // "播放读音"
    AutoPageTurn,  // "自动翻页"
    RandomWord,    // "随机换词"
};
inline constexpr int kStudyOptionCount = 5;

// A check box's three states, stored as 0, 1 and 2 in the settings file.
enum class OptionState { Off = 0, On = 1, Greyed = 2 };

class StudyOptions {
public:
    // As the window is designed: the meaning shown, the page turned on its
    // own. The settings then put in what the learner chose last time.
    StudyOptions() {
        set(StudyOption::ShowMeaning, OptionState::On);
        set(StudyOption::AutoPageTurn, OptionState::On);
    }

    OptionState state(StudyOption option) const { return states_[index(option)]; }
    // A greyed box counts as on, as any state but off always did.
    bool isOn(StudyOption option) const { return state(option) != OptionState::Off; }
    void set(StudyOption option, OptionState state) { states_[index(option)] = state; }
    // What a click makes of a state: a greyed box is checked by it, as the
    // desktop's check boxes do, and from then on it only switches on and off.
    static OptionState clicked(OptionState state) {
        return state == OptionState::On ? OptionState::Off : OptionState::On;
    }

private:
    static std::size_t index(StudyOption option) { return static_cast<std::size_t>(option); }

    std::array<OptionState, kStudyOptionCount> states_{};
};

}  // namespace lorvane::trainer
