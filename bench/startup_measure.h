#pragma once

// Starting a program and timing it until its windows are on the screen, with
// its resident memory once it idles, beside a floor program started in turn
// with it. Run under xvfb-run.
#include <X11/Xlib.h>
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

extern char** environ;

// A program to start and the captions of the windows it must have shown
// (all of them viewable) before it counts as up.
struct StartedProgram {
    std::string executable;
    std::vector<std::string> windows;
};

// The executable to start: the one this build made, or the one the
// environment variable `variable` names, to measure another build (an
// earlier commit's, say) in the same batch against the same floor.
inline std::string executableToMeasure(const char* variable, const char* built) {
    const char* other = getenv(variable);
    return other && *other ? other : built;
}

// Copies a program into `folder` as `name`, with the modules it loads from
// its own folder, as they are installed beside it (a build that has no such
// module yet is copied without it).
inline void copyProgram(const std::string& executable, const std::string& folder,
                        const std::string& name) {
    namespace fs = std::filesystem;
    fs::copy_file(executable, folder + "/" + name);
    for (const char* module : {"lorvane-audio.so", "lorvane-pcaudio-stand-in.so"}) {
        const fs::path beside = fs::path(executable).parent_path() / module;
        if (fs::exists(beside)) {
            fs::copy_file(beside, fs::path(folder) / module);
        }
    }
}

// Resident memory of a process in MB, from /proc; -1 when it can't be read.
inline double residentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;  // the kB figure
        }
    }
    return -1;
}

// Starts `program` with `extraEnvironment` on top of ours; -1 when it can't.
inline pid_t spawnWith(const std::string& program,
                       const std::vector<std::string>& extraEnvironment) {
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

struct StartFigures {
    double seconds = -1;
    double residentMb = -1;
};

// Starts `program`, waits until all its windows are viewable, lets it idle
// for a second and reads its resident memory, then ends it. Each start gets
// runtime and configuration folders of its own, so no lock or autostart
// entry of an earlier start is in the way.
inline StartFigures startAndMeasure(const StartedProgram& program) {
    StartFigures figures;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return figures;
    }
    const ScratchFolder runtime("start-runtime");
    const ScratchFolder config("start-config");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawnWith(
        program.executable, {"XDG_RUNTIME_DIR=" + runtime.path, "XDG_CONFIG_HOME=" + config.path});
    const auto allUp = [&] {
        for (const std::string& window : program.windows) {
            if (!findViewable(display, DefaultRootWindow(display), window)) {
                return false;
            }
        }
        return true;
    };
    while (pid > 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (allUp()) {
            figures.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (pid > 0) {
        if (figures.seconds >= 0) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            figures.residentMb = residentMegabytes(pid);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(display);
    return figures;
}

// A notification area on the display for the whole run, when trayer is
// installed, so that tray programs show a real icon.
struct TrayHost {
    TrayHost() {
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
    ~TrayHost() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;
    pid_t pid = -1;
};

// Each iteration starts the floor and then the program, so both meet the
// same load of a shared machine. The time is the program's; the counters
// give the floor's figures and the program's as a multiple of them.
inline void measureAgainstFloor(benchmark::State& state, const StartedProgram& program,
                                const StartedProgram& floor) {
    if (!getenv("DISPLAY")) {
        state.SkipWithError("needs an X display: run under xvfb-run");
        return;
    }
    StartFigures programFigures;
    StartFigures floorFigures;
    for (auto _ : state) {
        floorFigures = startAndMeasure(floor);
        programFigures = startAndMeasure(program);
        if (floorFigures.seconds < 0 || programFigures.seconds < 0) {
            state.SkipWithError("a window did not appear");
            return;
        }
        state.SetIterationTime(programFigures.seconds);
    }
    state.counters["floor_ms"] = floorFigures.seconds * 1000;
    state.counters["x_floor"] = programFigures.seconds / floorFigures.seconds;
    state.counters["MB"] = programFigures.residentMb;
    state.counters["floor_MB"] = floorFigures.residentMb;
    state.counters["MB_x_floor"] = programFigures.residentMb / floorFigures.residentMb;
}
