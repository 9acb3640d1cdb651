// Saves as both programs do when they close, generation after generation,
// until it is killed: the trainer's six progress files and dan.dat, then the
// companion's girl.dat and listgirl.dat. It starts as the programs start,
// reading what the last run left (and so finishing or throwing away a save
// that was killed), and goes on from the generation it finds.
//
//   closing_save_harness PROGRAM_FOLDER [CYCLES]
//
// With CYCLES it stops after that many and prints how long starting and each
// cycle took, in microseconds, for the kill test to aim its kills.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/paths.h"
#include "common/random_source.h"
#include "companion/engine/companion_engine.h"
#include "companion/engine/companion_ui.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "tests/kill/saved_generation.h"
#include "trainer/engine/study_prompts.h"
#include "trainer/engine/study_session.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;
using namespace lorvane::companion;

namespace {

using namespace saved_generation;

class FixedRandom : public RandomSource {
public:
    float next() override { return 0.5f; }
};

// Continues saved progress; a warning means a save failed, which this
// harness must never see.
class ContinuingPrompts : public StudyPrompts {
public:
    bool askContinueProgress() override { return true; }
    void warn(const std::string& text) override {
        std::fprintf(stderr, "closing_save_harness: %s\n", text.c_str());
        std::_Exit(3);
    }
};

// The add button's dialog answers with `chosen`.
class NoUi : public CompanionUi {
public:
    std::string chooseLessonFile() override { return chosen; }
    std::string chosen;
    void reportRefusedLesson(const std::string&) override {}
    void showLessonList() override {}
    void hideLessonList() override {}
    void processPendingEvents() override {}
};

long generationIn(const StudySession& session) {
    for (BoxId box = 0; box < kBoxCount; ++box) {
        for (const std::string_view text : session.boxes().entries(box)) {
            if (const auto parsed = parseEntry(std::string(text))) {
                return parsed->generation;
            }
        }
    }
    return 0;
}

long microsecondsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER [CYCLES]\n", argv[0]);
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const std::string programFolder = argv[1];
    const long cycles = argc > 2 ? std::atol(argv[2]) : -1;

    FakeVoice voice;
    FakeRecorder recorder;
    FixedRandom random;
    ContinuingPrompts prompts;
    StudySession trainer(programFolder, voice, recorder, random, prompts);
    trainer.loadVoices();
    // Whether dan.dat asks for the chooser or not, the lesson below is the one.
    (void)trainer.loadSettings(1024 * 15, 768 * 15);
    if (trainer.currentLesson().empty()) {
        // dan.dat is not there yet (or names no lesson): open the lesson,
        // continuing any progress it has.
        trainer.openLesson(lessonFolder(programFolder) + "kill/第一课.txt");
    }
    FakeVoice companionVoice;
    NoUi ui;
    CompanionEngine companion(programFolder, companionVoice, random, ui);
    companion.loadSettings();
    const long first = generationIn(trainer) + 1;
    if (cycles >= 0) {
        std::printf("ready %ld\n", microsecondsSince(started));
    }

    for (long generation = first; cycles < 0 || generation < first + cycles; ++generation) {
        const auto cycleStarted = std::chrono::steady_clock::now();
        CardBoxes& boxes = trainer.editBoxes();
        boxes.clear();
        for (int entry = 0; entry < kEntries; ++entry) {
            boxes.add(boxOf(entry, generation), entryText(entry, generation));
        }
        trainer.setPlace({.left = windowValue(generation, kLeftOffset),
                          .top = windowValue(generation, kTopOffset),
                          .width = windowValue(generation, kWidthOffset),
                          .height = windowValue(generation, kHeightOffset)});
        // The trainer's closing sequence: the boxes, then the settings. A
        // failed save of the boxes has already ended the harness (the
        // prompts' warning); one of the settings shows in the next start.
        (void)trainer.saveProgress();
        (void)trainer.saveSettings();

        // The companion's generation: the window's top edge and the list.
        companion.windowMoved({.left = 400, .top = static_cast<double>(generation % kCursorWrap)});
        while (!companion.lessons().empty()) {
            companion.highlightLesson(0);
            companion.deleteHighlightedLesson();
        }
        for (int i = 0; i < kListEntries; ++i) {
            ui.chosen = listPath(generation, i);
            companion.addLesson();
            companion.tickLesson(i, i % 2 == 0);
        }
        if (!companion.saveSettings().ok()) {
            std::fprintf(stderr, "closing_save_harness: the companion's settings were not saved\n");
            return 4;
        }
        if (cycles >= 0) {
            std::printf("cycle %ld\n", microsecondsSince(cycleStarted));
        }
    }
    return 0;
}
