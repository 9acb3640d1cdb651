// What the voices cost a program in memory and time, the first time in a
// process: setting up espeak-ng, then loading libflite with its natural
// voices, then speaking four words with the first natural voice and then
// with all three. Reported as counters of one run (resident and private
// dirty memory added, from /proc/self/smaps_rollup); most of the resident
// memory is the voices' data, shared with every other program that uses it.
// Run each benchmark in a process of its own (--benchmark_filter): the
// second finds the voices loaded. BM_VoiceListMade times what the programs
// do at start, both synthesisers set up side by side; run it with libflite
// hidden to compare.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "speech/audio_output.h"
#include "speech/combined_voice.h"
#include "speech/espeak_engine.h"
#include "speech/flite_engine.h"
#include "speech/flite_voice.h"

using namespace lorvane::speech;

namespace {

struct Memory {
    double residentMB = 0;
    double privateDirtyMB = 0;
};

Memory memoryNow() {
    std::ifstream rollup("/proc/self/smaps_rollup");
    Memory memory;
    std::string line;
    while (std::getline(rollup, line)) {
        std::istringstream fields(line);
        std::string name;
        double kB = 0;
        fields >> name >> kB;
        if (name == "Rss:") {
            memory.residentMB = kB / 1024;
        } else if (name == "Private_Dirty:") {
            memory.privateDirtyMB = kB / 1024;
        }
    }
    return memory;
}

// Takes what is spoken and lets it go.
class Discarding : public AudioOutput {
public:
    void play(std::vector<std::int16_t> samples, int /*sampleRate*/,
              bool /*afterCurrent*/) override {
        played += samples.size();
    }
    void stop() override {}
    std::size_t played = 0;
};

void speakFourWords(Voice& voice, const Discarding& output) {
    for (const char* word : {"apple", "vegetable", "necessary", "The girl carried a basket."}) {
        const std::size_t before = output.played;
        voice.speak(word);
        QElapsedTimer waited;
        waited.start();
        while (output.played == before && waited.elapsed() < 5000) {
            QCoreApplication::processEvents();
        }
        while (waited.elapsed() < 300) {
            QCoreApplication::processEvents();
        }
    }
}

void BM_VoicesFirstLoaded(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const Memory start = memoryNow();
        const Clock::time_point t0 = Clock::now();
        const bool espeak = EspeakEngine::instance() != nullptr;
        const Clock::time_point t1 = Clock::now();
        const Memory afterEspeak = memoryNow();
        const bool flite = FliteEngine::instance() != nullptr;
        const Clock::time_point t2 = Clock::now();
        const Memory afterFlite = memoryNow();
        if (!espeak || !flite) {
            state.SkipWithError("needs espeak-ng and libflite with its voices");
            return;
        }
        auto output = std::make_unique<Discarding>();
        const Discarding& played = *output;
        auto voice = FliteVoice::create(std::move(output));
        speakFourWords(*voice, played);
        const Memory afterFirstVoice = memoryNow();
        voice->selectVoice(1);
        speakFourWords(*voice, played);
        voice->selectVoice(2);
        speakFourWords(*voice, played);
        const Memory afterAllVoices = memoryNow();
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());

        const auto ms = [](Clock::duration d) {
            return std::chrono::duration<double, std::milli>(d).count();
        };
        state.counters["espeak_setup_ms"] = ms(t1 - t0);
        state.counters["espeak_rss_MB"] = afterEspeak.residentMB - start.residentMB;
        state.counters["espeak_dirty_MB"] = afterEspeak.privateDirtyMB - start.privateDirtyMB;
        state.counters["flite_load_ms"] = ms(t2 - t1);
        state.counters["flite_load_rss_MB"] = afterFlite.residentMB - afterEspeak.residentMB;
        state.counters["flite_load_dirty_MB"] =
            afterFlite.privateDirtyMB - afterEspeak.privateDirtyMB;
        state.counters["first_voice_spoken_rss_MB"] =
            afterFirstVoice.residentMB - afterEspeak.residentMB;
        state.counters["first_voice_spoken_dirty_MB"] =
            afterFirstVoice.privateDirtyMB - afterEspeak.privateDirtyMB;
        state.counters["all_voices_spoken_rss_MB"] =
            afterAllVoices.residentMB - afterEspeak.residentMB;
        state.counters["all_voices_spoken_dirty_MB"] =
            afterAllVoices.privateDirtyMB - afterEspeak.privateDirtyMB;
    }
}
// Once: a second time in the same process would find it all loaded.
BENCHMARK(BM_VoicesFirstLoaded)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_VoiceListMade(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto voice = CombinedVoice::create(std::make_unique<Discarding>());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!voice) {
            state.SkipWithError("no voice at all");
            return;
        }
        state.counters["natural_voices"] = voice->naturalVoiceCount();
    }
}
BENCHMARK(BM_VoiceListMade)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
