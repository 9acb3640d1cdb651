// The trainer's start-up: from starting Lorvane to its two windows being on
// the screen with the last lesson restored from its progress files (the
// chooser comes up last, named after the lesson's folder), and its resident
// memory once it idles; beside the smallest Qt Widgets window showing a
// Chinese label, started in turn with it. Run under xvfb-run; BENCH_LORVANE
// names another build's Lorvane to measure instead.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "bench/startup_measure.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"

using namespace lorvane::common;

namespace {

// A program folder whose settings reopen a lesson of `entries` entries, all
// of them in the first box.
struct ProgramFolder {
    explicit ProgramFolder(int entries) {
        copyProgram(executableToMeasure("BENCH_LORVANE", LORVANE_EXECUTABLE), path, "Lorvane");
        stageTrainerLesson(path, entries);
    }
    StartedProgram lorvane() const { return {path + "/Lorvane", {"Lorvane", "bench"}}; }
    ScratchFolder scratch{"lorvane-start"};
    std::string path = scratch.path;
};

const StartedProgram kChineseWindow{MINIMAL_CHINESE_WINDOW_EXECUTABLE, {"minimal-chinese-window"}};

void StartLorvaneWithLargeLesson(benchmark::State& state) {
    static const ProgramFolder folder(32767);
    measureAgainstFloor(state, folder.lorvane(), kChineseWindow);
}
BENCHMARK(StartLorvaneWithLargeLesson)->Apply(asStartupMeasurement);

void StartLorvaneWithSmallLesson(benchmark::State& state) {
    static const ProgramFolder folder(30);
    measureAgainstFloor(state, folder.lorvane(), kChineseWindow);
}
BENCHMARK(StartLorvaneWithSmallLesson)->Apply(asStartupMeasurement);

// What the Chinese label adds to the floor: the font set-up.
void StartChineseWindowAgainstPlainWindow(benchmark::State& state) {
    measureAgainstFloor(state, kChineseWindow, {MINIMAL_WINDOW_EXECUTABLE, {"minimal-window"}});
}
BENCHMARK(StartChineseWindowAgainstPlainWindow)->Apply(asStartupMeasurement);

}  // namespace
