#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// Measures taken of synthesised speech by the voice tests.

// Two lengths within 2 % of each other.
inline bool roughlyEqual(std::size_t a, std::size_t b) {
    return a * 50 > b * 49 && b * 50 > a * 49;
}

inline double rootMeanSquare(const std::vector<std::int16_t>& samples) {
    if (samples.empty()) {
        return 0;
    }
    double sum = 0;
    for (const std::int16_t s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

// The voice's usual pitch in Hz: the median over the loud 40 ms frames of
// the period that best repeats itself, between 60 and 400 Hz.
inline double medianPitch(const std::vector<std::int16_t>& samples, int sampleRate) {
    const std::size_t frame = static_cast<std::size_t>(sampleRate) / 25;
    const std::size_t shortest = static_cast<std::size_t>(sampleRate) / 400;
    const std::size_t longest = static_cast<std::size_t>(sampleRate) / 60;
    std::vector<double> loudness;
    for (std::size_t start = 0; start + frame <= samples.size(); start += frame / 2) {
        loudness.push_back(
            rootMeanSquare({samples.begin() + static_cast<std::ptrdiff_t>(start),
                            samples.begin() + static_cast<std::ptrdiff_t>(start + frame)}));
    }
    if (loudness.empty()) {
        return 0;
    }
    const double loud = *std::max_element(loudness.begin(), loudness.end()) / 3;
    std::vector<double> pitches;
    for (std::size_t i = 0; i < loudness.size(); ++i) {
        if (loudness[i] < loud) {
            continue;
        }
        const std::size_t start = i * frame / 2;
        double best = 0;
        std::size_t bestLag = 0;
        for (std::size_t lag = shortest; lag <= longest; ++lag) {
            double product = 0;
            double energy = 0;
            for (std::size_t k = start; k + lag < start + frame && k + lag < samples.size(); ++k) {
                product += static_cast<double>(samples[k]) * samples[k + lag];
                energy += static_cast<double>(samples[k + lag]) * samples[k + lag];
            }
            const double score = energy > 0 ? product / std::sqrt(energy) : 0;
            if (score > best) {
                best = score;
                bestLag = lag;
            }
        }
        if (bestLag > 0) {
            pitches.push_back(static_cast<double>(sampleRate) / static_cast<double>(bestLag));
        }
    }
    if (pitches.empty()) {
        return 0;
    }
    std::nth_element(pitches.begin(),
                     pitches.begin() + static_cast<std::ptrdiff_t>(pitches.size() / 2),
                     pitches.end());
    return pitches[pitches.size() / 2];
}
