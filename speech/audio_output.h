#pragma once

#include <cstdint>
#include <vector>

namespace lorvane::speech {

// Where synthesised speech goes: 16-bit mono samples at a given rate.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Plays `samples`: at once, cutting off what is playing, or when
    // `afterCurrent` is set, behind what is still playing.
    virtual void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) = 0;
    virtual void stop() = 0;
    // Cuts off what is playing and gets ready for samples at `sampleRate`,
    // so that the next play, cutting off nothing more, need not wait for the
    // audio device. By default only stops.
    virtual void prepare(int sampleRate) {
        static_cast<void>(sampleRate);
        stop();
    }
};

}  // namespace lorvane::speech
