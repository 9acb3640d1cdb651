// The companion engine at its largest: a lesson of 32767 lines loaded with
// the window running after every line, and the settings with a lesson list
// of 1000 entries.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "common/paths.h"
#include "common/random_source.h"
#include "companion/engine/companion_engine.h"
#include "companion/engine/companion_ui.h"
#include "speech/voice.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::companion;

namespace {

constexpr int kLargestLesson = 32767;
constexpr int kListEntries = 1000;

// A program folder with its lesson folder, removed when the benchmarks end.
const std::string& programFolderPath() {
    static const ScratchFolder folder("miselle-bench");
    static const bool made = std::filesystem::create_directory(lessonFolder(folder.path));
    (void)made;
    return folder.path;
}

class SilentVoice : public Voice {
public:
    std::vector<std::string> voiceDescriptions() const override { return {"en", "en-gb"}; }
    bool selectVoice(int index) override { return index >= 0 && index < 2; }
    int selectedVoice() const override { return -1; }
    bool setRate(int) override { return true; }
    int rate() const override { return 0; }
    bool setVolume(int) override { return true; }
    int volume() const override { return 100; }
    void speak(const std::string&) override {}
};

// Counts the times the window is let run; the add button's dialog answers
// with `chosen`.
class CountingUi : public CompanionUi {
public:
    std::string chooseLessonFile() override { return chosen; }
    std::string chosen;
    void reportRefusedLesson(const std::string&) override {}
    void showLessonList() override {}
    void hideLessonList() override {}
    void processPendingEvents() override { ++yields; }
    long yields = 0;
};

struct Companion {
    SilentVoice voice;
    ClassicRandom random;
    CountingUi ui;
    CompanionEngine engine{programFolderPath(), voice, random, ui};
};

std::string writeLargeLesson() {
    const std::string path = lessonFolder(programFolderPath()) + "large.txt";
    writeScratchFile(path, gbk::encode(largeLessonText(kLargestLesson)));
    return path;
}

void LoadLargestLesson(benchmark::State& state) {
    const std::string path = writeLargeLesson();
    Companion companion;
    for (auto _ : state) {
        benchmark::DoNotOptimize(companion.engine.loadLesson(path));
    }
    state.counters["yields/load"] = benchmark::Counter(static_cast<double>(companion.ui.yields),
                                                       benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * kLargestLesson);
}
BENCHMARK(LoadLargestLesson)->Unit(benchmark::kMillisecond);

void fillLessonList(Companion& companion) {
    for (int i = 0; i < kListEntries; ++i) {
        companion.ui.chosen = "/home/学习者/单词课文/考试词汇/第" + std::to_string(i) + "课.txt";
        companion.engine.addLesson();
        companion.engine.tickLesson(i, i % 3 != 0);
    }
}

void SaveSettings(benchmark::State& state) {
    Companion companion;
    fillLessonList(companion);
    for (auto _ : state) {
        if (!companion.engine.saveSettings().ok()) {
            state.SkipWithError("the settings were not saved");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kListEntries);
}
BENCHMARK(SaveSettings)->Unit(benchmark::kMillisecond);

void LoadSettings(benchmark::State& state) {
    {
        Companion writer;
        fillLessonList(writer);
        if (!writer.engine.saveSettings().ok()) {
            state.SkipWithError("the settings were not saved");
            return;
        }
    }
    Companion companion;
    for (auto _ : state) {
        companion.engine.loadSettings();
    }
    if (companion.engine.lessons().count() != kListEntries) {
        state.SkipWithError("the lesson list did not come back whole");
    }
    state.SetItemsProcessed(state.iterations() * kListEntries);
}
BENCHMARK(LoadSettings)->Unit(benchmark::kMillisecond);

}  // namespace
