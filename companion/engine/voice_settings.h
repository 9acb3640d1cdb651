#pragma once

#include <string>
#include <vector>

namespace lorvane::speech {
class Voice;
}  // namespace lorvane::speech

namespace lorvane::companion {

// The voice, speaking rate and volume of the companion, as the voice dialog
// shows them. They live for the whole run; every real change is passed on to
// the voice at once, and a setting given the value it already holds passes
// nothing on, so the voice keeps its own defaults until the learner (or a
// stored setting) actually changes something.
class VoiceSettings {
public:
    static constexpr int kInitialRate = 0;
    static constexpr int kInitialVolume = 50;

    // Takes the voice list from the voice; no voice is selected yet.
    explicit VoiceSettings(speech::Voice& voice);

    const std::vector<std::string>& voiceNames() const { return voiceNames_; }

    // A position in the voice list, -1 for none.
    int voiceIndex() const { return voiceIndex_; }
    int rate() const { return rate_; }      // -10 … 10
    int volume() const { return volume_; }  // 0 … 100

    // Each refuses (false, nothing changes) a value out of its range.
    // Clearing the selection with -1 leaves the voice as it is.
    bool selectVoice(int index);
    bool setRate(int rate);
    bool setVolume(int volume);

private:
    speech::Voice& voice_;
    std::vector<std::string> voiceNames_;
    int voiceIndex_ = -1;
    int rate_ = kInitialRate;
    int volume_ = kInitialVolume;
};

}  // namespace lorvane::companion
