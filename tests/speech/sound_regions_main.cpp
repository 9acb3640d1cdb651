// Prints the heard stretches of a raw recording (16-bit little-endian mono,
// as parecord --raw --format=s16le writes it), one "START LENGTH" line in
// milliseconds each, for the scripts that drive the real programs.
//   sound_regions FILE [RATE]
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/speech/sound_regions.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sound_regions FILE [RATE]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "sound_regions: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        samples[i] = static_cast<std::int16_t>(low | (high << 8));
    }
    const int rate = argc > 2 ? std::stoi(argv[2]) : 16000;
    for (const SoundRegion& region : soundRegions(samples, rate)) {
        std::printf("%ld %ld\n", region.startMs, region.lengthMs);
    }
    return 0;
}
