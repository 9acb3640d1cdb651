// Start-up time: from starting a program to its windows being on the screen,
// measured on an X display (run under xvfb-run). Lorvane starts with its last
// lesson, 32767 entries, restored from the progress files; the floor is the
// smallest Qt Widgets program.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "bench/bench_support.h"
#include "bench/x11_windows.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"

using namespace lorvane::common;

extern char** environ;

namespace {

constexpr int kEntries = 32767;

// Starts `program`, waits until a window named `windowName` is viewable and
// returns the seconds that took; ends the program again.
double timeToWindow(const std::string& program, const std::string& windowName) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        XCloseDisplay(display);
        return -1;
    }
    double seconds = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (findViewable(display, DefaultRootWindow(display), windowName)) {
            seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return seconds;
}

// A program folder whose settings reopen a 32767-entry lesson.
struct ProgramFolder {
    ProgramFolder() {
        const std::string lessons = path + "/单词课文/";
        std::filesystem::create_directories(lessons + "bench");
        std::filesystem::copy_file(LORVANE_EXECUTABLE, path + "/Lorvane");
        const std::string text = largeLessonText(kEntries);
        const std::string lesson = lessons + "bench/第一课.txt";
        writeScratchFile(lesson, gbk::encode(text));
        writeScratchFile(lessons + "bench/第一课.lt0", gbk::encode(text + "\r\n"));
        for (int box = 1; box < 6; ++box) {
            writeScratchFile(lessons + "bench/第一课.lt" + std::to_string(box), "\r\n");
        }
        writeScratchFile(lessons + "dan.dat", gbk::encode("[单词]\r\nfilename=" + lesson + "\r\n"));
    }
    ScratchFolder scratch{"lorvane-start"};
    std::string path = scratch.path;
};

void measure(benchmark::State& state, const std::string& program, const std::string& window) {
    if (!getenv("DISPLAY")) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    for (auto _ : state) {
        const double seconds = timeToWindow(program, window);
        if (seconds < 0) {
            state.SkipWithError("the window did not appear");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void StartLorvaneWithLargeLesson(benchmark::State& state) {
    static const ProgramFolder folder;
    // The chooser comes up last, after the lesson has been restored; it is
    // named after the lesson's folder.
    measure(state, folder.path + "/Lorvane", "bench");
}
BENCHMARK(StartLorvaneWithLargeLesson)->Apply(asStartupMeasurement);

void StartMinimalQtWindow(benchmark::State& state) {
    measure(state, MINIMAL_WINDOW_EXECUTABLE, "minimal-window");
}
BENCHMARK(StartMinimalQtWindow)->Apply(asStartupMeasurement);

}  // namespace
