#pragma once

#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "speech/audio_output.h"

// An AudioOutput that keeps a log of what it was asked to play.
class RecordingOutput : public lorvane::speech::AudioOutput {
public:
    struct Call {
        std::string what;  // "play" or "stop"
        std::vector<std::int16_t> samples;
        bool afterCurrent = false;
        int sampleRate = 0;
    };

    void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) override {
        calls.push_back({"play", std::move(samples), afterCurrent, sampleRate});
    }
    void stop() override { calls.push_back({"stop", {}, false, 0}); }

    std::vector<Call> plays() const {
        std::vector<Call> result;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                     [](const Call& call) { return call.what == "play"; });
        return result;
    }

    // Everything played since the log was last cleared, end to end.
    std::vector<std::int16_t> played() const {
        std::vector<std::int16_t> all;
        for (const Call& call : calls) {
            all.insert(all.end(), call.samples.begin(), call.samples.end());
        }
        return all;
    }

    // Lets what has been spoken arrive: synthesis runs far faster than real
    // time, so it has all come once nothing new has for `quietMs`. Returns
    // false when nothing was played within ten seconds.
    bool waitUntilSpoken(int quietMs) {
        if (!QTest::qWaitFor([this] { return !plays().empty(); }, 10000)) {
            return false;
        }
        std::size_t seen = 0;
        while (seen != calls.size()) {
            seen = calls.size();
            QTest::qWait(quietMs);
        }
        return true;
    }

    // Leading and trailing pauses aside, how long the speech lasts.
    static std::size_t voicedLength(const std::vector<std::int16_t>& samples) {
        constexpr int kAudible = 500;
        const auto audible = [](std::int16_t s) { return std::abs(s) > kAudible; };
        const auto first = std::find_if(samples.begin(), samples.end(), audible);
        if (first == samples.end()) {
            return 0;
        }
        const auto last = std::find_if(samples.rbegin(), samples.rend(), audible);
        return static_cast<std::size_t>(last.base() - first);
    }

    std::vector<Call> calls;
};
