// The study window at its largest: a lesson of 32767 entries.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "common/random_source.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "trainer/engine/study_prompts.h"
#include "trainer/engine/study_session.h"

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
        writeScratchFile(lesson, gbk::encode(largeLessonText(kEntries)));
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
    FakeRecorder recorder;
    ClassicRandom random;
    StartAfresh prompts;
    StudySession session{scratch().folder, voice, recorder, random, prompts};
};

void OpenLargeLesson(benchmark::State& state) {
    Window window;
    for (auto _ : state) {
        window.session.openLesson(scratch().lesson);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(OpenLargeLesson)->Unit(benchmark::kMillisecond);

// The 32767 entries spread evenly over the six boxes, as after long study.
void spreadOverBoxes(StudySession& session) {
    session.openLesson(scratch().lesson);
    CardBoxes& boxes = session.editBoxes();
    for (int i = kEntries - 1; i >= 0; --i) {
        const BoxId box = i % kBoxCount;
        if (box != kNewWordBox) {
            (void)boxes.move(kNewWordBox, i, box);  // never full: a sixth of the entries
        }
    }
}

void SaveProgress(benchmark::State& state) {
    Window window;
    spreadOverBoxes(window.session);
    for (auto _ : state) {
        (void)window.session.saveProgress();  // a failure shows in the restore's figures
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(SaveProgress)->Unit(benchmark::kMillisecond);

void RestoreProgress(benchmark::State& state) {
    Window window;
    spreadOverBoxes(window.session);
    if (!window.session.saveProgress()) {
        state.SkipWithError("the progress could not be saved");
        return;
    }
    for (auto _ : state) {
        (void)window.session.restoreProgress(scratch().lesson);  // read whole, as saved above
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
        window.session.openLesson(scratch().lesson);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            window.session.submitAnswer(i % 2 ? window.session.expectedAnswer() : "wrong");
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(ThousandAnswers)->Unit(benchmark::kMillisecond);

}  // namespace
