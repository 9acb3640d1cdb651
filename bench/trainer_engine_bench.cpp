// The study window at its largest: a lesson of 32767 entries.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "common/random_source.h"
#include "tests/doubles/fake_voice.h"
#include "tests/doubles/fake_wave_audio.h"
#include "trainer/engine/form2.h"
#include "trainer/engine/study_prompts.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

namespace {

constexpr int kEntries = 32767;

class StartAfresh : public StudyPrompts {
public:
    bool askContinueProgress() override { return false; }
    void warn(const std::string&) override {}
};

// A program folder holding one lesson of 32767 entries.
struct Scratch {
    Scratch() {
        std::filesystem::create_directories(folder + "/单词课文/大");
        writeFileAtomically(lesson, gbk::encode(largeLessonText(kEntries)));
    }
    ScratchFolder scratch;
    std::string folder = scratch.path;
    std::string lesson = folder + "/单词课文/大/第一课.txt";
};

const Scratch& scratch() {
    static const Scratch instance;
    return instance;
}

struct Window {
    FakeVoice voice;
    FakeWaveAudio recorder;
    ClassicRandom random;
    StartAfresh prompts;
    Form2 form{scratch().folder, voice, recorder, random, prompts};
};

void OpenLargeLesson(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        window.form.initlist(scratch().lesson);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(OpenLargeLesson)->Unit(benchmark::kMillisecond);

// The 32767 entries spread evenly over the six boxes, as after long study.
void spreadOverBoxes(Form2& form) {
    form.initlist(scratch().lesson);
    for (int i = kEntries - 1; i >= 0; --i) {
        const int box = i % kBoxCount;
        if (box != 0) {
            form.List2[static_cast<std::size_t>(box)].add(form.List2[0].item(i));
            form.List2[0].removeAt(i);
        }
    }
}

void SaveProgress(benchmark::State& state) {
    Window window;
    spreadOverBoxes(window.form);
    for (auto _ : state) {
        window.form.savelist();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(SaveProgress)->Unit(benchmark::kMillisecond);

void RestoreProgress(benchmark::State& state) {
    Window window;
    spreadOverBoxes(window.form);
    window.form.savelist();
    for (auto _ : state) {
        window.form.loadlist();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(RestoreProgress)->Unit(benchmark::kMillisecond);

// A thousand answers at the front of a full box, right and wrong by turns:
// every right answer moves an entry out of the 32767.
void ThousandAnswers(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        state.PauseTiming();
        window.form.initlist(scratch().lesson);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            window.form.Text1.text = i % 2 ? window.form.Label1[0].tag : "wrong";
            window.form.text1Enter();
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(ThousandAnswers)->Unit(benchmark::kMillisecond);

}  // namespace
