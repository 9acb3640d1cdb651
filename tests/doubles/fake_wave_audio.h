#pragma once

#include <string>
#include <vector>

#include "speech/wave_audio.h"

// A recorder for the engines' tests: it records nothing and keeps a log of
// the calls, such as "FileName=new", "open", "From=0", "To=1500", "play".
class FakeWaveAudio : public lorvane::speech::WaveAudio {
public:
    void setFileName(const std::string& name) override { calls.push_back("FileName=" + name); }
    void command(std::string_view what) override { calls.emplace_back(what); }
    long position() const override { return currentPosition; }
    void setFrom(long milliseconds) override {
        calls.push_back("From=" + std::to_string(milliseconds));
    }
    void setTo(long milliseconds) override {
        calls.push_back("To=" + std::to_string(milliseconds));
    }

    std::vector<std::string> calls;
    long currentPosition = 0;  // what position() reports
};
