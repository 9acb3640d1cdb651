#pragma once

#include <memory>

#include "speech/audio_output.h"
#include "speech/recorder.h"

namespace lorvane::speech {

// The speech output and the recorder as the programs use them. The real
// ones live in the audio module beside the programs, which is loaded only
// when the first sound is to be played or the first recording made: Qt
// Multimedia and the libraries it brings are 2 MB and a dozen libraries to
// load, which a program need not pay for before its window is up. Until
// then there is nothing to stop and nothing recorded. Without the module
// the program stays silent and says why on its error output, once.
class LateAudioOutput final : public AudioOutput {
public:
    LateAudioOutput();
    ~LateAudioOutput() override;
    void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) override;
    void stop() override;
    void prepare(int sampleRate) override;

private:
    AudioOutput* real();
    std::unique_ptr<AudioOutput> real_;
};

class LateRecorder final : public Recorder {
public:
    LateRecorder();
    ~LateRecorder() override;
    void startRecording() override;
    void stopRecording() override;
    void play(long fromMs, long toMs) override;
    void reset() override;
    long position() const override;

private:
    std::unique_ptr<Recorder> real_;
};

}  // namespace lorvane::speech
