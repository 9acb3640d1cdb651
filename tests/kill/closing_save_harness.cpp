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
#include "tests/doubles/fake_voice.h"
#include "tests/doubles/fake_wave_audio.h"
#include "tests/kill/saved_generation.h"
#include "trainer/engine/form2.h"
#include "trainer/engine/study_prompts.h"

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

class NoUi : public CompanionUi {
public:
    std::string chooseLessonFile() override { return {}; }
    void reportRefusedLesson(const std::string&) override {}
    void showLessonList() override {}
    void hideLessonList() override {}
    void processPendingEvents() override {}
};

long generationIn(const Form2& form) {
    for (const ListBoxState& box : form.List2) {
        for (const std::string& text : box.items()) {
            if (const auto parsed = parseEntry(text)) {
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
    FakeWaveAudio recorder;
    FixedRandom random;
    ContinuingPrompts prompts;
    Form2 trainer(programFolder, voice, recorder, random, prompts);
    trainer.setupVoice();
    trainer.loadsetting(1024 * 15, 768 * 15);
    if (trainer.Tag.empty()) {
        // dan.dat is not there yet (or names no lesson): open the lesson,
        // continuing any progress it has.
        trainer.initlist(lessonFolder(programFolder) + "kill/第一课.txt");
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
        for (ListBoxState& box : trainer.List2) {
            box.clear();
        }
        for (int entry = 0; entry < kEntries; ++entry) {
            trainer.List2[static_cast<std::size_t>(boxOf(entry, generation))].add(
                entryText(entry, generation));
        }
        trainer.width = windowValue(generation, kWidthOffset);
        trainer.height = windowValue(generation, kHeightOffset);
        trainer.top = windowValue(generation, kTopOffset);
        trainer.left = windowValue(generation, kLeftOffset);
        // The trainer's closing sequence: the boxes, then the settings.
        trainer.savelist();
        trainer.savesetting();

        CompanionModel& model = companion.model();
        model.curword = static_cast<std::int16_t>(generation % kCursorWrap);
        model.form1.top = static_cast<double>(generation % kCursorWrap);
        model.form4.clear();
        for (int i = 0; i < kListEntries; ++i) {
            model.form4.add(listPath(generation, i), i % 2 == 0);
        }
        if (!companion.saveSettings()) {
            std::fprintf(stderr, "closing_save_harness: the companion's settings were not saved\n");
            return 4;
        }
        if (cycles >= 0) {
            std::printf("cycle %ld\n", microsecondsSince(cycleStarted));
        }
    }
    return 0;
}
