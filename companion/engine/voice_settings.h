#pragma once

#include <string>
#include <vector>

namespace lorvane::speech {
class Voice;
}  // namespace lorvane::speech

namespace lorvane::companion {

// The voice settings dialog `Form2`: the voice list `combo1`, the rate scroll
// bar `HScroll1` and the volume scroll bar `HScroll2`. The dialog lives for
// the whole run and holds these three settings; every real change is passed
// on to the voice at once, and setting a control to the value it already
// holds passes nothing on, so the voice keeps its own defaults until the
// learner (or a stored setting) actually changes something.
class VoiceSettings {
public:
    static constexpr int kInitialRate = 0;
    static constexpr int kInitialVolume = 50;

    // Fills the voice list from the voice, as the main window's load does;
    // no voice is selected yet.
    explicit VoiceSettings(speech::Voice& voice);

    const std::vector<std::string>& combo1Items() const { return voiceNames_; }

    // Selected voice: a position in the voice list, -1 for none.
    int combo1() const { return combo1_; }
    int HScroll1() const { return rate_; }    // -10 … 10
    int HScroll2() const { return volume_; }  // 0 … 100

    // Each refuses (false, nothing changes) a value the control cannot take.
    // Clearing the selection with -1 leaves the voice as it is.
    bool setCombo1(int index);
    bool setHScroll1(int rate);
    bool setHScroll2(int volume);

private:
    speech::Voice& voice_;
    std::vector<std::string> voiceNames_;
    int combo1_ = -1;
    int rate_ = kInitialRate;
    int volume_ = kInitialVolume;
};

}  // namespace lorvane::companion
