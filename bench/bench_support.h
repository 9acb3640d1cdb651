#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "common/atomic_file.h"
#include "common/gbk_codec.h"

// Pieces the benchmarks share.

// Writes a file a benchmark sets up; a benchmark that couldn't set up its
// files would measure nothing, so it ends there.
inline void writeScratchFile(const std::string& path, std::string_view bytes) {
    if (const auto written = lorvane::common::writeFileAtomically(path, bytes); !written) {
        std::cerr << path << ": " << written.message() << "\n";
        std::exit(EXIT_FAILURE);
    }
}

// A scratch folder, removed with everything in it when the benchmark ends.
struct ScratchFolder {
    explicit ScratchFolder(const char* prefix = "lorvane-bench") {
        std::string pattern =
            std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX");
        path = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

// The text (UTF-8, CR LF) of a lesson of `entries` lines such as
// "word00042  n. 单词的中文意思，例句": 32767 of them make about 1 MB of GBK.
inline std::string largeLessonText(int entries) {
    std::string text;
    text.reserve(static_cast<std::size_t>(entries) * 50);
    for (int i = 0; i < entries; ++i) {
        char english[16];
        std::snprintf(english, sizeof english, "word%05d", i);
        text += english;
        text += "  n. 单词的中文意思，例句\r\n";
    }
    return text;
}

// Stages in `programFolder` a lesson of `entries` entries, all of them in
// the first box, and the trainer's settings that reopen it at start.
inline void stageTrainerLesson(const std::string& programFolder, int entries) {
    const std::string lessons = programFolder + "/单词课文/";
    std::filesystem::create_directories(lessons + "bench");
    const std::string text = largeLessonText(entries);
    const std::string lesson = lessons + "bench/第一课.txt";
    writeScratchFile(lesson, lorvane::common::gbk::encode(text));
    writeScratchFile(lessons + "bench/第一课.lt0", lorvane::common::gbk::encode(text + "\r\n"));
    for (int box = 1; box < 6; ++box) {
        writeScratchFile(lessons + "bench/第一课.lt" + std::to_string(box), "\r\n");
    }
    writeScratchFile(lessons + "dan.dat",
                     lorvane::common::gbk::encode("[单词]\r\nfilename=" + lesson + "\r\n"));
}

// How the start-up benchmarks measure: each start timed by hand, seven
// starts, reported as mean and median.
inline void asStartupMeasurement(benchmark::internal::Benchmark* bench) {
    bench->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(
        benchmark::kMillisecond);
}
