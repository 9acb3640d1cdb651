#pragma once

#include <string>
#include <utility>
#include <vector>

#include "speech/voice.h"

// A voice for the engines' tests: it speaks nothing and remembers every call.
class FakeVoice : public lorvane::speech::Voice {
public:
    explicit FakeVoice(std::vector<std::string> voices = {"English (America) (en-us)",
                                                          "English (Great Britain) (en-gb)",
                                                          "Mandarin (cmn)"})
        : voices_(std::move(voices)) {}

    std::vector<std::string> voiceDescriptions() const override { return voices_; }

    bool selectVoice(int index) override {
        selections.push_back(index);
        if (index < 0 || index >= static_cast<int>(voices_.size())) {
            return false;
        }
        selected_ = index;
        return true;
    }
    int selectedVoice() const override { return selected_; }

    bool setRate(int rate) override {
        rateCalls.push_back(rate);
        if (rate < kMinRate || rate > kMaxRate) {
            return false;
        }
        rate_ = rate;
        return true;
    }
    int rate() const override { return rate_; }

    bool setVolume(int volume) override {
        volumeCalls.push_back(volume);
        if (volume < kMinVolume || volume > kMaxVolume) {
            return false;
        }
        volume_ = volume;
        return true;
    }
    int volume() const override { return volume_; }

    void speak(const std::string& text) override { spoken.push_back(text); }

    std::vector<std::string> spoken;  // every text, in order
    std::vector<int> selections;
    std::vector<int> rateCalls;
    std::vector<int> volumeCalls;

private:
    std::vector<std::string> voices_;
    int selected_ = -1;
    int rate_ = 0;
    int volume_ = 100;
};
