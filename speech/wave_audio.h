#pragma once

#include <string>
#include <string_view>

namespace lorvane::speech {

// The trainer's recorder: records the learner's reading into memory and plays
// it back. Driven like a multimedia device, by a file name and command words;
// a command that fails has no effect and nothing is reported.
class WaveAudio {
public:
    virtual ~WaveAudio() = default;

    // "new": the next "open" starts a new, empty recording. Nothing is ever
    // written to a file.
    virtual void setFileName(const std::string& name) = 0;

    // "open", "record", "stop", "play" or "close".
    virtual void command(std::string_view what) = 0;

    // While recording or after it: the length recorded so far; while playing:
    // where playback has got to. Milliseconds.
    virtual long position() const = 0;

    // The stretch "play" plays, in milliseconds.
    virtual void setFrom(long milliseconds) = 0;
    virtual void setTo(long milliseconds) = 0;
};

}  // namespace lorvane::speech
