// Speak → first sound at the audio server: how long after the program asks
// for a word or a sentence its first sample reaches the server's output,
// next to the floors of playing a short wave file with paplay and of the
// espeak-ng command speaking the word (both include starting a process).
//
// Run by bench/speech_latency.sh, which starts a private PulseAudio server
// whose default output is a null sink. What reaches that sink is read back
// from its monitor by parec with a 1 ms fragment; the time of the first
// sample above a small threshold is when the sound arrived. The monitor's
// own delay is the same for every measurement here.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "speech/espeak_voice.h"
#include "speech/sink_audio_output.h"

using namespace lorvane::speech;

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMonitorRate = 44100;
constexpr int kAudible = 100;

// Starts `argv` and returns its process id; -1 when it cannot be started.
pid_t spawn(const std::vector<std::string>& argv, int stdoutFd = -1) {
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Reads the null sink's monitor and notes when sound arrives.
class Listener {
public:
    Listener() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        pid_ = spawn({"parec", "--device=vsink.monitor", "--latency-msec=1", "--raw",
                      "--format=s16le", "--rate=" + std::to_string(kMonitorRate), "--channels=1"},
                     fds[1]);
        close(fds[1]);
        fd_ = fds[0];
        reader_ = std::thread([this] { read(); });
    }
    ~Listener() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (reader_.joinable()) {
            reader_.join();
        }
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    bool running() const { return pid_ > 0; }

    // The first sound after `since`, if any has arrived yet.
    bool heardSince(Clock::time_point since, Clock::time_point* when) {
        std::lock_guard lock(mutex_);
        if (lastSound_ < since) {
            return false;
        }
        *when = firstSoundAfter(since);
        return true;
    }
    // Whether nothing has been heard for `quiet`.
    bool quietFor(Clock::duration quiet) {
        std::lock_guard lock(mutex_);
        return Clock::now() - lastSound_ > quiet;
    }

private:
    void read() {
        std::vector<std::int16_t> block(64);
        for (;;) {
            const ssize_t got = ::read(fd_, block.data(), block.size() * 2);
            if (got <= 0) {
                return;
            }
            const Clock::time_point now = Clock::now();
            bool sound = false;
            for (ssize_t i = 0; i < got / 2; ++i) {
                sound = sound || std::abs(block[static_cast<std::size_t>(i)]) > kAudible;
            }
            if (sound) {
                std::lock_guard lock(mutex_);
                if (lastSound_ < now - std::chrono::milliseconds(20)) {
                    onsets_.push_back(now);
                }
                lastSound_ = now;
            }
        }
    }
    Clock::time_point firstSoundAfter(Clock::time_point since) const {
        for (const Clock::time_point onset : onsets_) {
            if (onset >= since) {
                return onset;
            }
        }
        return lastSound_;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    Clock::time_point lastSound_{};
    std::vector<Clock::time_point> onsets_;
};

std::unique_ptr<Listener> listener;

void waitForQuiet() {
    while (!listener->quietFor(std::chrono::milliseconds(300))) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Runs `start`, then lets the program's events run until sound arrives.
double millisecondsToSound(const std::function<void()>& start) {
    waitForQuiet();
    const Clock::time_point asked = Clock::now();
    start();
    Clock::time_point heard;
    const Clock::time_point giveUp = asked + std::chrono::seconds(5);
    while (!listener->heardSince(asked, &heard)) {
        if (Clock::now() > giveUp) {
            return -1;
        }
        QCoreApplication::processEvents();
    }
    return std::chrono::duration<double, std::milli>(heard - asked).count();
}

std::unique_ptr<EspeakVoice> voice;

// The real output, noting when the first block of an utterance was handed
// over and when handing it over was done.
class TimedOutput : public AudioOutput {
public:
    void play(std::vector<std::int16_t> samples, int rate, bool afterCurrent) override {
        const Clock::time_point begun = Clock::now();
        output_.play(std::move(samples), rate, afterCurrent);
        if (!afterCurrent) {
            playBegun = begun;
            playDone = Clock::now();
        }
    }
    void stop() override { output_.stop(); }
    void prepare(int rate) override { output_.prepare(rate); }
    Clock::time_point playBegun;
    Clock::time_point playDone;

private:
    SinkAudioOutput output_;
};
TimedOutput* timed = nullptr;

void measureSpeaking(benchmark::State& state, const std::string& text) {
    if (!listener || !listener->running() || !voice) {
        state.SkipWithError("needs parec and a voice: run bench/speech_latency.sh");
        return;
    }
    double toBlock = 0;
    double handing = 0;
    while (state.KeepRunning()) {
        Clock::time_point asked;
        const double ms = millisecondsToSound([&] {
            asked = Clock::now();
            voice->speak(text);
        });
        if (ms < 0) {
            state.SkipWithError("nothing was heard");
            return;
        }
        state.SetIterationTime(ms / 1000);
        toBlock += std::chrono::duration<double, std::milli>(timed->playBegun - asked).count();
        handing +=
            std::chrono::duration<double, std::milli>(timed->playDone - timed->playBegun).count();
        voice->speak("");  // stops it
    }
    // Where the time goes: until the first block is handed to the output
    // (synthesis and the hop to the program's thread), and handing it over
    // (opening the stream, writing).
    state.counters["to_first_block_ms"] =
        benchmark::Counter(toBlock, benchmark::Counter::kAvgIterations);
    state.counters["handing_over_ms"] =
        benchmark::Counter(handing, benchmark::Counter::kAvgIterations);
}

void measureProcess(benchmark::State& state, const std::vector<std::string>& command) {
    if (!listener || !listener->running()) {
        state.SkipWithError("needs parec: run bench/speech_latency.sh");
        return;
    }
    while (state.KeepRunning()) {
        pid_t pid = -1;
        const double ms = millisecondsToSound([&] { pid = spawn(command); });
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (pid < 0 || ms < 0) {
            state.SkipWithError((command[0] + " is not installed").c_str());
            return;
        }
        state.SetIterationTime(ms / 1000);
    }
}

// "apple" as the voice speaks it, in a wave file for paplay.
std::string wordWaveFile(const std::string& folder) {
    class Collector : public AudioOutput {
    public:
        void play(std::vector<std::int16_t> s, int rate, bool) override {
            samples.insert(samples.end(), s.begin(), s.end());
            sampleRate = rate;
        }
        void stop() override {}
        std::vector<std::int16_t> samples;
        int sampleRate = 22050;
    };
    auto collector = std::make_unique<Collector>();
    Collector* collected = collector.get();
    auto quiet = EspeakVoice::create(std::move(collector));
    if (!quiet) {
        return {};
    }
    quiet->speak("apple");
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) {
        QCoreApplication::processEvents();
    }
    const std::string path = folder + "/apple.wav";
    std::ofstream file(path, std::ios::binary);
    const auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file.put(static_cast<char>((value >> (8 * i)) & 0xff));
        }
    };
    const auto dataBytes = static_cast<std::uint32_t>(collected->samples.size() * 2);
    const auto rate = static_cast<std::uint32_t>(collected->sampleRate);
    file << "RIFF";
    put(36 + dataBytes, 4);
    file << "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    file << "data";
    put(dataBytes, 4);
    file.write(reinterpret_cast<const char*>(collected->samples.data()), dataBytes);
    return path;
}

std::string waveFile;

void BM_SpeakWord(benchmark::State& state) {
    measureSpeaking(state, "apple");
}
void BM_SpeakSentence(benchmark::State& state) {
    measureSpeaking(state, "The quick brown fox jumps over the lazy dog.");
}
void BM_PaplayShortWave(benchmark::State& state) {
    measureProcess(state, {"paplay", waveFile});
}
void BM_EspeakNgCommandWord(benchmark::State& state) {
    measureProcess(state, {"espeak-ng", "apple"});
}

// Each measurement on its own, thirty of them: the median says what a
// learner usually gets, the minimum what the machine allows.
void asLatency(benchmark::internal::Benchmark* bench) {
    bench->UseManualTime()
        ->Iterations(1)
        ->Repetitions(30)
        ->ComputeStatistics(
            "min",
            [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SpeakWord)->Apply(asLatency);
BENCHMARK(BM_SpeakSentence)->Apply(asLatency);
BENCHMARK(BM_PaplayShortWave)->Apply(asLatency);
BENCHMARK(BM_EspeakNgCommandWord)->Apply(asLatency);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ScratchFolder folder("speech-latency");
    waveFile = wordWaveFile(folder.path);
    auto output = std::make_unique<TimedOutput>();
    timed = output.get();
    voice = EspeakVoice::create(std::move(output));
    listener = std::make_unique<Listener>();
    // The server's first stream of a run takes far longer to start: one
    // utterance before measuring.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (voice && listener->running()) {
        millisecondsToSound([] { voice->speak("hello"); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    voice.reset();
    listener.reset();
    return 0;
}
