// Reading lessons, the GBK codec and the settings files at their largest.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_support.h"
#include "common/atomic_file.h"
#include "common/encoding_guess.h"
#include "common/gbk_codec.h"
#include "common/ini_file.h"
#include "common/lesson_reader.h"

using namespace lorvane::common;

namespace {

constexpr int kMaxEntries = 32767;

std::string benchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}

// About 1 MB of GBK.
const std::string& largeLessonBytes() {
    static const std::string bytes = gbk::encode(largeLessonText(kMaxEntries));
    return bytes;
}

void ReadLargeLesson(benchmark::State& state) {
    const std::string path = benchFolder() + "/large.txt";
    writeScratchFile(path, largeLessonBytes());
    for (auto _ : state) {
        auto entries = readLessonEntries(path);
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * kMaxEntries);
    state.SetBytesProcessed(state.iterations() * static_cast<long>(largeLessonBytes().size()));
}
BENCHMARK(ReadLargeLesson)->Unit(benchmark::kMillisecond);

// A 100 MB lesson of 3.4 million lines, written once in pieces of 1 MB.
const std::string& hugeLessonPath() {
    static const std::string path = [] {
        const std::string file = benchFolder() + "/huge.txt";
        std::ofstream out(file, std::ios::binary);
        const std::string meaning = gbk::encode("  n. 单词的中文意思\r\n");
        std::string piece;
        char english[16];
        for (int i = 0; i < 3400000; ++i) {
            std::snprintf(english, sizeof english, "word%07d", i);
            piece += english;
            piece += meaning;
            if (piece.size() > (1 << 20)) {
                out << piece;
                piece.clear();
            }
        }
        out << piece;
        return file;
    }();
    return path;
}

// The reader keeps the first 32767 entries and only counts the other lines
// (run with /usr/bin/time to see that the memory stays small too).
void ReadHugeLesson(benchmark::State& state) {
    const std::string& path = hugeLessonPath();
    for (auto _ : state) {
        auto lesson = readLessonEntries(path);
        benchmark::DoNotOptimize(lesson);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<long>(std::filesystem::file_size(path)));
}
BENCHMARK(ReadHugeLesson)->Unit(benchmark::kMillisecond);

// The guess on a large UTF-8 lesson, which it reads through in both
// encodings (a GBK one is mostly settled at its first Chinese character).
void GuessEncoding(benchmark::State& state) {
    static const std::string bytes = largeLessonText(kMaxEntries);
    for (auto _ : state) {
        benchmark::DoNotOptimize(looksLikeUtf8(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(GuessEncoding)->Unit(benchmark::kMillisecond);

void GbkRoundTrip(benchmark::State& state) {
    const std::string& bytes = largeLessonBytes();
    for (auto _ : state) {
        std::string back = gbk::encode(gbk::decode(bytes));
        benchmark::DoNotOptimize(back);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(GbkRoundTrip)->Unit(benchmark::kMillisecond);

// Decoding alone, as every lesson and progress file is read.
void GbkDecode(benchmark::State& state) {
    const std::string& bytes = largeLessonBytes();
    for (auto _ : state) {
        std::string text = gbk::decode(bytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(GbkDecode)->Unit(benchmark::kMillisecond);

// The same bytes through the system's converter in one call: what decoding
// cost before GBK's characters were looked up in a table.
void GbkDecodeThroughIconv(benchmark::State& state) {
    const std::string& bytes = largeLessonBytes();
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    for (auto _ : state) {
        std::string text(bytes.size() * 2, '\0');
        char* in = const_cast<char*>(bytes.data());
        char* out = text.data();
        std::size_t inLeft = bytes.size();
        std::size_t outLeft = text.size();
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        iconv(converter, &in, &inLeft, &out, &outLeft);
        text.resize(text.size() - outLeft);
        benchmark::DoNotOptimize(text);
    }
    iconv_close(converter);
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(GbkDecodeThroughIconv)->Unit(benchmark::kMillisecond);

// Both programs' settings, one key at a time: the trainer's twelve keys and
// the companion's twelve, each written and then read back.
// A refused write would make the timing meaningless.
void check(benchmark::State& state, const Status& written) {
    if (!written) {
        state.SkipWithError(written.message().c_str());
    }
}

void SettingsKeyByKey(benchmark::State& state) {
    const std::string file = benchFolder() + "/settings.dat";
    const char* trainerKeys[] = {"width",  "height", "top",    "left",   "filename", "check0",
                                 "check1", "check2", "check3", "check4", "角色",     "语速"};
    const char* companionKeys[] = {"curkewen",     "curword",      "munOnTop", "top",  "left",
                                   "zidongqidong", "suijixianshi", "音量",     "语速", "语音"};
    for (auto _ : state) {
        std::filesystem::remove(file);
        for (const char* key : trainerKeys) {
            check(state,
                  ini::writeValue(file, "单词", key, "/home/学习者/单词课文/基础词汇/第一课.txt"));
        }
        check(state, ini::writeValue(file, "label", "ForeColor", "16777215"));
        check(state, ini::writeValue(file, "label", "BackColor", "8421376"));
        for (const char* key : companionKeys) {
            check(state, ini::writeValue(file, "配置", key, "1234"));
        }
        for (const char* key : trainerKeys) {
            benchmark::DoNotOptimize(ini::readValue(file, "单词", key, "0"));
        }
        for (const char* key : companionKeys) {
            benchmark::DoNotOptimize(ini::readValue(file, "配置", key, "0"));
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * (12 + 12));
}
BENCHMARK(SettingsKeyByKey)->Unit(benchmark::kMillisecond);

}  // namespace
