// The companion's start-up: from starting Miselle to its window being on the
// screen, with a lesson of 32767 lines restored from its settings, and its
// resident memory once it idles; beside the smallest Qt Widgets program with
// a window and a tray icon. Run under xvfb-run; a trayer on the display (one
// is started when the program is installed) gives both a real tray.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "bench/x11_windows.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"

using namespace lorvane::common;

extern char** environ;

namespace {

constexpr int kLines = 32767;

std::string makeTempFolder(const char* prefix) {
    std::string pattern = std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX");
    return ::mkdtemp(pattern.data());
}

// Resident memory of a process in MB, from /proc; -1 when it can't be read.
double residentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;  // the kB figure
        }
    }
    return -1;
}

// Starts `program` with `extraEnvironment` on top of ours.
pid_t spawn(const std::string& program, const std::vector<std::string>& extraEnvironment) {
    std::vector<std::string> entries(extraEnvironment);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const std::string& extra : extraEnvironment) {
            overridden = overridden || extra.rfind(key, 0) == 0;
        }
        if (!overridden) {
            entries.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : entries) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        return -1;
    }
    return pid;
}

struct Run {
    double seconds = -1;
    double residentMb = -1;
};

// Starts `program`, waits until a window named `windowName` is viewable,
// then lets it idle for a second and reads its resident memory.
Run startAndMeasure(const std::string& program, const std::string& windowName) {
    Run run;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return run;
    }
    // A runtime folder of its own: no lock left by an earlier start.
    const std::string runtime = makeTempFolder("miselle-run-");
    const std::string config = makeTempFolder("miselle-config-");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawn(program, {"XDG_RUNTIME_DIR=" + runtime, "XDG_CONFIG_HOME=" + config});
    while (pid > 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (findViewable(display, DefaultRootWindow(display), windowName)) {
            run.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (pid > 0) {
        if (run.seconds >= 0) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            run.residentMb = residentMegabytes(pid);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(display);
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored);
    std::filesystem::remove_all(config, ignored);
    return run;
}

// A notification area on the display for the whole run, when trayer is
// installed.
struct Tray {
    Tray() {
        const std::string trayer = "/usr/bin/trayer";
        if (getenv("DISPLAY") && std::filesystem::exists(trayer)) {
            char* argv[] = {const_cast<char*>("trayer"), const_cast<char*>("--edge"),
                            const_cast<char*>("top"),    const_cast<char*>("--height"),
                            const_cast<char*>("32"),     nullptr};
            if (posix_spawn(&pid, trayer.c_str(), nullptr, nullptr, argv, environ) != 0) {
                pid = -1;
            }
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    }
    ~Tray() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    pid_t pid = -1;
};

// A program folder whose settings restore a 32767-line lesson, half-way.
struct ProgramFolder {
    ProgramFolder() {
        path = makeTempFolder("miselle-start-");
        const std::string lessons = path + "/单词课文/";
        std::filesystem::create_directories(lessons + "bench");
        std::filesystem::copy_file(MISELLE_EXECUTABLE, path + "/Miselle");
        const std::string lesson = lessons + "bench/第一课.txt";
        writeScratchFile(lesson, gbk::encode(largeLessonText(kLines)));
        writeScratchFile(lessons + "listgirl.dat", gbk::encode("T" + lesson + "\r\n\r\n"));
        writeScratchFile(lessons + "girl.dat",
                         gbk::encode("[配置]\r\ncurkewen=0\r\ncurword=16000\r\n"));
    }
    ~ProgramFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

void measure(benchmark::State& state, const std::string& program, const std::string& window) {
    if (!getenv("DISPLAY")) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    static const Tray tray;
    double resident = 0;
    for (auto _ : state) {
        const Run run = startAndMeasure(program, window);
        if (run.seconds < 0) {
            state.SkipWithError("the window did not appear");
            return;
        }
        state.SetIterationTime(run.seconds);
        resident = run.residentMb;
    }
    state.counters["resident_MB"] = resident;
}

void StartMiselleWithLargeLesson(benchmark::State& state) {
    static const ProgramFolder folder;
    measure(state, folder.path + "/Miselle", "Miselle");
}
BENCHMARK(StartMiselleWithLargeLesson)->Apply(asStartupMeasurement);

void StartMinimalQtWindowWithTrayIcon(benchmark::State& state) {
    measure(state, MINIMAL_TRAY_WINDOW_EXECUTABLE, "minimal-tray-window");
}
BENCHMARK(StartMinimalQtWindowWithTrayIcon)->Apply(asStartupMeasurement);

}  // namespace
