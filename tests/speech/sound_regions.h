#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

// Cuts a recording of the audio server's output into the stretches where
// something was heard, the way a listener would count utterances: the
// recording is looked at in 20 ms windows, a window is sound when its peak
// passes 500, and 160 ms of quiet ends an utterance.
struct SoundRegion {
    long startMs = 0;
    long lengthMs = 0;  // from the first sounding window to the end of the last
};

inline std::vector<SoundRegion> soundRegions(const std::vector<std::int16_t>& samples,
                                             int sampleRate) {
    constexpr int kWindowMs = 20;
    constexpr int kAudible = 500;
    constexpr int kQuietWindowsThatEnd = 160 / kWindowMs;
    const std::size_t window = static_cast<std::size_t>(sampleRate) * kWindowMs / 1000;

    std::vector<SoundRegion> regions;
    bool inRegion = false;
    int quietWindows = 0;
    long lastSoundEnd = 0;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        const long at = static_cast<long>(start / window) * kWindowMs;
        const bool sound =
            std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(start),
                        samples.begin() + static_cast<std::ptrdiff_t>(start + window),
                        [](std::int16_t s) { return std::abs(s) > kAudible; });
        if (sound) {
            if (!inRegion) {
                regions.push_back({at, 0});
                inRegion = true;
            }
            quietWindows = 0;
            lastSoundEnd = at + kWindowMs;
            regions.back().lengthMs = lastSoundEnd - regions.back().startMs;
        } else if (inRegion && ++quietWindows >= kQuietWindowsThatEnd) {
            inRegion = false;
        }
    }
    return regions;
}
