#pragma once

#include <string>
#include <vector>

#include "speech/recorder.h"

// A recorder for the engines' tests: it records nothing and keeps a log of
// the calls, such as "start", "stop", "play 0 1500", "reset".
class FakeRecorder : public lorvane::speech::Recorder {
public:
    void startRecording() override { calls.emplace_back("start"); }
    void stopRecording() override { calls.emplace_back("stop"); }
    void play(long fromMs, long toMs) override {
        calls.push_back("play " + std::to_string(fromMs) + " " + std::to_string(toMs));
    }
    void reset() override { calls.emplace_back("reset"); }
    long position() const override { return currentPosition; }

    std::vector<std::string> calls;
    long currentPosition = 0;  // what position() reports
};
