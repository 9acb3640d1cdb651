// The companion's start-up: from starting Miselle to its window being on the
// screen, with a lesson of 32767 lines restored from its settings and the
// item shown, and its resident memory once it idles; beside the smallest Qt
// Widgets program with a tray icon and a window showing a Chinese label,
// started in turn with it. Run under xvfb-run; a trayer on the display (one
// is started when the program is installed) gives both a real tray.
// BENCH_MISELLE names another build's Miselle to measure instead.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "bench/startup_measure.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"

using namespace lorvane::common;

namespace {

// A program folder whose settings restore a 32767-line lesson, half-way.
struct ProgramFolder {
    ProgramFolder() {
        const std::string lessons = path + "/单词课文/";
        std::filesystem::create_directories(lessons + "bench");
        copyProgram(executableToMeasure("BENCH_MISELLE", MISELLE_EXECUTABLE), path, "Miselle");
        const std::string lesson = lessons + "bench/第一课.txt";
        writeScratchFile(lesson, gbk::encode(largeLessonText(32767)));
        writeScratchFile(lessons + "listgirl.dat", gbk::encode("T" + lesson + "\r\n\r\n"));
        writeScratchFile(lessons + "girl.dat",
                         gbk::encode("[配置]\r\ncurkewen=0\r\ncurword=16000\r\n"));
    }
    ScratchFolder scratch{"miselle-start"};
    std::string path = scratch.path;
};

void StartMiselleWithLargeLesson(benchmark::State& state) {
    static const TrayHost tray;
    static const ProgramFolder folder;
    measureAgainstFloor(state, {folder.path + "/Miselle", {"Miselle"}},
                        {MINIMAL_TRAY_WINDOW_EXECUTABLE, {"minimal-chinese-tray-window"}});
}
BENCHMARK(StartMiselleWithLargeLesson)->Apply(asStartupMeasurement);

}  // namespace
