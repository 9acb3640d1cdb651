#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/newest_run.h"
#include "companion/engine/companion_model.h"
#include "companion/engine/companion_settings.h"

namespace lorvane::common {
class RandomSource;
}  // namespace lorvane::common

namespace lorvane::speech {
class Voice;
}  // namespace lorvane::speech

namespace lorvane::companion {

class CompanionUi;

// The companion's display: one lesson in memory, a cursor over the lesson
// list and the lesson's items, the item on show with its hidden English, the
// answer check and speaking. Every command of the window, its menu and its
// keys is one method here; all run on the one user-interface thread.
class CompanionEngine {
public:
    // `programFolder` is the folder of the executable; the settings files
    // live in its lesson folder. The voice, random source and UI must outlive
    // the engine.
    CompanionEngine(std::string_view programFolder, speech::Voice& voice,
                    common::RandomSource& random, CompanionUi& ui);

    CompanionModel& model() { return model_; }
    const CompanionModel& model() const { return model_; }

    // Settings, once at start-up and once at a confirmed exit.
    void loadSettings();
    bool saveSettings();

    // Replaces the item list with the lines of the lesson at `path`, letting
    // the UI run after each line. A lesson that can't be read, or has no
    // lines, leaves the item list empty and says so on the label. Returns false when a move made
    // from inside the UI took over with a load of its own; the caller must then leave the cursor
    // and the display to that move.
    bool loadLesson(std::string path);

    // Once after loadSettings: continues where the last run ended.
    void startupDisplay();

    // Cursor moves. Each ends by showing the item at `curword`.
    void nextItem();
    void previousItem();
    // Moves `curkewen` by `step` over the lesson list to a ticked lesson and
    // starts it. Sets `step` to 0 when it had to ask for a first lesson.
    void nextkewen(std::int16_t& step);
    void nextGroup();
    void previousGroup();

    // Item display, answer check and speech.
    void showCurrentItem();
    // Enter in the answer box: a right answer goes on to the next item; a
    // wrong one changes nothing and says nothing.
    void checkAnswer();
    void speakCurrentWord();
    void showCorrectEnglish();

    // The lesson list window.
    void hideLessonList();
    // Asks for a lesson text and appends it ticked; loads it when it is the
    // only ticked lesson. Run when the lesson list is empty.
    void openLessonRoutine();
    // The add button: asks for a lesson text and appends it ticked, without
    // loading it or moving the cursor.
    void addLesson();
    void deleteHighlightedLesson();
    // Ticks the highlighted lesson and starts it at its first item.
    void studyHighlightedLesson();

    // The file name of the current lesson, for the label's tip; "" when
    // `curkewen` names no entry.
    std::string currentLessonFileName() const;

private:
    // Appends a chosen lesson ticked, or tells the learner why not.
    bool appendChosenLesson(std::string path);
    // Loads the lesson list entry at `index`; nothing when there is none.
    bool loadLessonAt(int index);
    std::int16_t drawItemIndex();

    CompanionModel model_;
    SettingsFiles files_;
    speech::Voice& voice_;
    common::RandomSource& random_;
    CompanionUi& ui_;
    // Counts the loads begun, so that a load can tell it has been overtaken.
    common::NewestRun loads_;
};

}  // namespace lorvane::companion
