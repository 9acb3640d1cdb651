#pragma once

namespace lorvane::speech {

// The trainer's recorder: records the learner's reading into memory and plays
// it back. Nothing is ever written to a file. Without a working sound device
// every call simply does nothing.
class Recorder {
public:
    virtual ~Recorder() = default;

    // Throws away any recording and starts a new, empty one.
    virtual void startRecording() = 0;
    // Ends the recording (and any playback); what was recorded stays.
    virtual void stopRecording() = 0;
    // Plays the stretch of the recording from `fromMs` to `toMs`.
    virtual void play(long fromMs, long toMs) = 0;
    // Stops everything and throws the recording away.
    virtual void reset() = 0;

    // While recording or after it: the length recorded so far; while playing:
    // where playback has got to. Milliseconds.
    virtual long position() const = 0;
};

}  // namespace lorvane::speech
