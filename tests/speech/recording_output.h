#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio_output.h"

// An AudioOutput that keeps a log of what it was asked to play.
class RecordingOutput : public AudioOutput {
public:
    struct Call {
        std::string what;  // "play" or "stop"
        std::size_t samples = 0;
        bool afterCurrent = false;
        std::size_t voiced = 0;  // samples from the first to the last audible one
    };

    void play(std::vector<std::int16_t> samples, int /*sampleRate*/, bool afterCurrent) override {
        calls.push_back({"play", samples.size(), afterCurrent, voicedLength(samples)});
    }
    void stop() override { calls.push_back({"stop", 0, false}); }

    std::vector<Call> plays() const {
        std::vector<Call> result;
        for (const Call& call : calls) {
            if (call.what == "play") {
                result.push_back(call);
            }
        }
        return result;
    }

    std::vector<Call> calls;

private:
    // Leading and trailing pauses aside, how long the speech lasts.
    static std::size_t voicedLength(const std::vector<std::int16_t>& samples) {
        constexpr int kAudible = 500;
        std::size_t first = samples.size();
        std::size_t last = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i]) > kAudible) {
                first = std::min(first, i);
                last = i;
            }
        }
        return first < samples.size() ? last - first + 1 : 0;
    }
};
