// Kills the closing saves of both programs at random moments and checks,
// after each kill, what the next start reads: the six progress files must be
// one complete set of one generation, dan.dat must hold the keys of one
// closing, girl.dat and listgirl.dat must belong together, nothing saved may
// go back to an older generation, and no temporary file may be left once
// the next start has read the files.
//
// LORVANE_KILLS sets the number of kills (200 by default), LORVANE_KILL_SEED
// the random seed (printed, so that a failing run can be repeated).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "common/gbk_codec.h"
#include "common/paths.h"
#include "common/random_source.h"
#include "companion/engine/companion_engine.h"
#include "companion/engine/companion_ui.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "tests/kill/saved_generation.h"
#include "tests/temp_folder.h"
#include "trainer/engine/progress_files.h"
#include "trainer/engine/study_prompts.h"
#include "trainer/engine/study_session.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;
using namespace lorvane::companion;

extern char** environ;

namespace {

using namespace saved_generation;

class FixedRandom : public RandomSource {
public:
    float next() override { return 0.5f; }
};

class QuietPrompts : public StudyPrompts {
public:
    bool askContinueProgress() override { return true; }
    void warn(const std::string&) override {}
};

class NoUi : public CompanionUi {
public:
    std::string chooseLessonFile() override { return {}; }
    void reportRefusedLesson(const std::string&) override {}
    void showLessonList() override {}
    void hideLessonList() override {}
    void processPendingEvents() override {}
};

long environmentNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value ? std::atol(value) : fallback;
}

struct Figures {
    long kills = 0;
    long insideASave = 0;          // kills that left temporary files or a record
    long committedUnfinished = 0;  // kills that left a commit record
    long mixedProgress = 0;        // the six files were not one generation
    long mixedDanDat = 0;          // dan.dat held keys of two closings
    long mixedCompanion = 0;       // girl.dat and listgirl.dat of two exits
    long wentBack = 0;             // saved progress went back a generation
    long outOfOrder = 0;           // a file was newer than one written before it
    long leftoversAfterStart = 0;  // temporary files still there after reading
    long lastGeneration = 0;
};

// The files a save may leave beside the ones it writes.
long strayFiles(const std::string& programFolder, bool* record = nullptr) {
    const std::string lessons = lessonFolder(programFolder);
    const std::set<std::string> expected = {
        lessons + "dan.dat",         lessons + "girl.dat",
        lessons + "listgirl.dat",    lessons + "kill",
        lessons + "kill/第一课.txt", lessons + "kill/第一课.lt0",
        lessons + "kill/第一课.lt1", lessons + "kill/第一课.lt2",
        lessons + "kill/第一课.lt3", lessons + "kill/第一课.lt4",
        lessons + "kill/第一课.lt5"};
    long stray = 0;
    for (const std::string& folder : {lessons, lessons + "kill/"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string path = entry.path().string();
            if (expected.count(path) == 0) {
                ++stray;
                if (record && path.find(".commit") != std::string::npos) {
                    *record = true;
                }
            }
        }
    }
    return stray;
}

// The generation the six boxes hold; -1 when they are not one whole one.
long progressGeneration(const StudySession& session) {
    long generation = -1;
    std::set<int> seen;
    for (int box = 0; box < kBoxCount; ++box) {
        for (const std::string_view text : session.boxes().entries(box)) {
            const auto parsed = parseEntry(std::string(text));
            if (!parsed || (generation >= 0 && parsed->generation != generation) ||
                boxOf(parsed->entry, parsed->generation) != box ||
                !seen.insert(parsed->entry).second) {
                return -1;
            }
            generation = parsed->generation;
        }
    }
    return static_cast<int>(seen.size()) == kEntries ? generation : -1;
}

// What the next start of both programs reads, checked.
void observe(const std::string& programFolder, Figures& figures) {
    bool record = false;
    if (strayFiles(programFolder, &record) > 0) {
        ++figures.insideASave;
    }
    figures.committedUnfinished += record ? 1 : 0;

    FakeVoice voice;
    FakeRecorder recorder;
    FixedRandom random;
    QuietPrompts prompts;
    const std::string lesson = lessonFolder(programFolder) + "kill/第一课.txt";
    StudySession trainer(programFolder, voice, recorder, random, prompts);
    trainer.loadVoices();
    const bool danDatThere = std::filesystem::exists(lessonFolder(programFolder) + "dan.dat");
    // Whether dan.dat asks for the chooser or not, the lesson below is the one.
    (void)trainer.loadSettings(1024 * 15, 768 * 15);
    if (trainer.currentLesson().empty()) {
        trainer.openLesson(lesson);  // continues saved progress, if any
    }
    const auto base = lessonBaseName(lesson);
    long generation = 0;
    if (hasProgress(*base)) {
        generation = progressGeneration(trainer);
        if (generation < 0) {
            ++figures.mixedProgress;
        }
    }

    long danGeneration = -1;
    if (danDatThere) {
        const lorvane::trainer::WindowPlace& place = trainer.place();
        const long x = place.width - kWidthOffset;
        if (place.height - kHeightOffset != x || place.top - kTopOffset != x ||
            place.left - kLeftOffset != x || trainer.currentLesson() != lesson) {
            ++figures.mixedDanDat;
        } else {
            danGeneration = x;
        }
    }

    FakeVoice companionVoice;
    NoUi ui;
    CompanionEngine companion(programFolder, companionVoice, random, ui);
    const bool companionThere = std::filesystem::exists(lessonFolder(programFolder) + "girl.dat");
    companion.loadSettings();
    long companionGeneration = -1;
    if (companionThere) {
        const LessonList& lessons = companion.lessons();
        const auto cursor = static_cast<long>(companion.place().top);
        bool whole = lessons.count() == kListEntries;
        for (int i = 0; whole && i < kListEntries; ++i) {
            long listed = -1;
            whole = std::sscanf(lessons.at(i).path.c_str(), "/kill/g%ld/", &listed) == 1 &&
                    listed % kCursorWrap == cursor && lessons.at(i).path == listPath(listed, i);
        }
        if (whole) {
            companionGeneration = cursor;
        } else {
            ++figures.mixedCompanion;
        }
    }

    if (generation >= 0) {
        if (generation < figures.lastGeneration) {
            ++figures.wentBack;
        }
        figures.lastGeneration = std::max(figures.lastGeneration, generation);
        // Each closing writes the boxes, then dan.dat, then the companion's
        // pair: none can be ahead of the one written before it. (It can lag
        // any number of generations: a kill between two of them, and the
        // next run goes on from the boxes.) Numbers wrap: "ahead" is less
        // than half the wrap ahead.
        auto ahead = [](long later, long earlier) {
            const long lead = (later - earlier % kWindowWrap + kWindowWrap) % kWindowWrap;
            return lead > 0 && lead < kWindowWrap / 2;
        };
        if (danGeneration >= 0 && ahead(danGeneration, generation)) {
            ++figures.outOfOrder;
        }
        if (danGeneration >= 0 && companionGeneration >= 0 &&
            ahead(companionGeneration % kWindowWrap, danGeneration)) {
            ++figures.outOfOrder;
        }
    }
    figures.leftoversAfterStart += strayFiles(programFolder) > 0 ? 1 : 0;
}

pid_t spawnHarness(const std::string& programFolder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = CLOSING_SAVE_HARNESS;
    std::string folder = programFolder;
    char* argv[] = {program.data(), folder.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Start-up and mean cycle time of the harness on this machine, in µs.
struct Pace {
    long startup = 0;
    long cycle = 0;
};
Pace measurePace(const std::string& programFolder) {
    Pace pace;
    const std::string command = std::string(CLOSING_SAVE_HARNESS) + " '" + programFolder + "' 10";
    FILE* out = ::popen(command.c_str(), "r");
    long value = 0;
    long cycles = 0;
    char word[16] = {};
    while (out && std::fscanf(out, "%15s %ld", word, &value) == 2) {
        if (std::string(word) == "ready") {
            pace.startup = value;
        } else {
            pace.cycle += value;
            ++cycles;
        }
    }
    if (out) {
        ::pclose(out);
    }
    pace.cycle = cycles > 0 ? pace.cycle / cycles : 0;
    return pace;
}

}  // namespace

TEST(ClosingSaveKillTest, EveryKillLeavesWholeFilesOfOneSave) {
    TempFolder folder;
    const std::string programFolder = folder.path();
    std::filesystem::create_directories(lessonFolder(programFolder) + "kill");
    std::string lessonText;
    for (int entry = 0; entry < kEntries; ++entry) {
        lessonText += gbk::encode(entryText(entry, 0)) + "\r\n";
    }
    folder.write(std::string(kLessonFolderName) + "/kill/第一课.txt", lessonText);

    const Pace pace = measurePace(programFolder);
    ASSERT_GT(pace.cycle, 0) << "the harness did not run";
    const long kills = environmentNumber("LORVANE_KILLS", 200);
    const auto seed = static_cast<unsigned>(
        environmentNumber("LORVANE_KILL_SEED", static_cast<long>(std::random_device{}())));
    std::mt19937 random(seed);
    // Anywhere from the start (which reads and settles what the last kill
    // left) to the end of the first closing after it.
    std::uniform_int_distribution<long> moment(0, pace.startup + pace.cycle);

    Figures figures;
    observe(programFolder, figures);  // after the ten measured cycles
    // The kills must land inside saves, or the test proves nothing: on a
    // loaded machine the moments drift, so it goes on (up to three times as
    // long) until a quarter of the planned kills have landed inside one.
    const long wantedInside = kills / 4;
    while (figures.kills < kills ||
           (figures.insideASave < wantedInside && figures.kills < 3 * kills)) {
        const pid_t pid = spawnHarness(programFolder);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the harness stopped by itself: status " << status;
        ++figures.kills;
        observe(programFolder, figures);
    }

    std::printf(
        "kill test (seed %u): %ld kills, start %ld us, cycle %ld us; %ld inside a save, %ld "
        "after the commit; mixed: %ld progress sets, %ld dan.dat, %ld companion pairs; %ld went "
        "back, %ld out of order; temporary files left after the next start: %ld times, %ld at "
        "the end; generation %ld reached\n",
        seed, figures.kills, pace.startup, pace.cycle, figures.insideASave,
        figures.committedUnfinished, figures.mixedProgress, figures.mixedDanDat,
        figures.mixedCompanion, figures.wentBack, figures.outOfOrder, figures.leftoversAfterStart,
        strayFiles(programFolder), figures.lastGeneration);
    EXPECT_EQ(figures.mixedProgress, 0);
    EXPECT_EQ(figures.mixedDanDat, 0);
    EXPECT_EQ(figures.mixedCompanion, 0);
    EXPECT_EQ(figures.wentBack, 0);
    EXPECT_EQ(figures.outOfOrder, 0);
    EXPECT_EQ(figures.leftoversAfterStart, 0);
    EXPECT_GE(figures.insideASave, wantedInside);
}
