#pragma once

#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "companion/engine/changes.h"
#include "companion/engine/companion_settings.h"
#include "companion/engine/companion_state.h"

namespace lorvane::common {
class RandomSource;
}  // namespace lorvane::common

namespace lorvane::speech {
class Voice;
}  // namespace lorvane::speech

namespace lorvane::companion {

class CompanionUi;

// The companion as the learner uses it: one lesson in memory, a cursor over
// the lesson list and the lesson's items, the item on show with its answer
// check, the menu's options, the voice and the window's colours. Every
// command of the window, its menu and its keys is one method here; all run
// on the one user-interface thread. The windows read the views below and
// repaint what takeChanges() names.
class CompanionEngine {
public:
    // `programFolder` is the folder of the executable; the settings files
    // live in its lesson folder. The voice, random source and UI must outlive
    // the engine.
    CompanionEngine(std::string_view programFolder, speech::Voice& voice,
                    common::RandomSource& random, CompanionUi& ui);

    // Read-only views of the state.
    const ItemDisplay& item() const { return state_.item; }
    const LessonList& lessons() const { return state_.lessons; }
    const MenuOptions& options() const { return state_.options; }
    const VoiceSettings& voiceSettings() const { return state_.voice; }
    const WindowColours& colours() const { return state_.colours; }
    const WindowPlace& place() const { return state_.place; }
    // The lines of the lesson in memory.
    const LessonItems& items() const { return state_.cursor.items(); }
    // An index in the lesson list and one in the items; either may lie
    // outside its list.
    std::int16_t currentLesson() const { return state_.cursor.lesson(); }
    std::int16_t currentItem() const { return state_.cursor.item(); }
    // The file name of the current lesson, for the label's tip; "" when
    // the current lesson names no entry.
    std::string currentLessonFileName() const;
    // True once the learner has confirmed the exit.
    bool exiting() const { return exiting_; }

    // What changed since the last call, for the windows to repaint.
    Changes takeChanges();

    // Settings, once at start-up and once at a confirmed exit.
    void loadSettings();
    [[nodiscard]] common::Status saveSettings();

    // Replaces the items with the lines of the lesson at `path`, letting the
    // UI run after each line. A lesson that can't be read, or has no lines,
    // leaves the items empty and says so on the label. Returns false when a
    // move made from inside the UI took over with a load of its own; the
    // caller must then leave the cursor and the display to that move.
    bool loadLesson(const std::string& path);

    // The lesson the settings reopen, read ahead (see lesson_read_ahead.h).
    // The start-up display's load takes it when it is of the same file; it
    // is let go after the start-up display either way, so that any later
    // load reads the file again.
    void offerLessonReadAhead(std::future<std::optional<ReadLesson>> readAhead) {
        readAhead_ = std::move(readAhead);
    }

    // Once after loadSettings: continues where the last run ended.
    void startupDisplay();

    // Cursor moves. Each ends by showing the item at the cursor.
    void nextItem();
    void previousItem();
    // Moves the current lesson by `step` over the lesson list to a ticked
    // lesson and starts it; asks for a first lesson when the list is empty.
    void moveToLesson(int step);
    void nextGroup();
    void previousGroup();
    void showCurrentItem();

    // The answer box. Editing only keeps the text; submitting (Enter) goes
    // on to the next item when the answer is right, and changes nothing and
    // says nothing when it is wrong.
    void editAnswer(std::string text);
    void submitAnswer(std::string text);
    void speakWord();
    void revealEnglish();

    // The menu's options. Random order is read by the next item move; start
    // at logon is acted on at the exit.
    void setOption(MenuOption option, bool on);
    void toggleOption(MenuOption option);

    void setTextColour(Colour colour);
    void setBackgroundColour(Colour colour);
    // The learner moved the main window; edges in twips.
    void windowMoved(WindowPlace place);

    // The voice dialog. A value out of range is refused and changes nothing.
    void selectVoice(int index);
    void setRate(int rate);
    void setVolume(int volume);

    // The lesson list window.
    void showLessonList();
    void hideLessonList();
    // Asks for a lesson text and appends it ticked; loads it when it is the
    // only ticked lesson. Run when the lesson list is empty.
    void askForFirstLesson();
    // The add button: asks for a lesson text and appends it ticked, without
    // loading it or moving the cursor.
    void addLesson();
    void deleteHighlightedLesson();
    // Ticks the highlighted lesson and starts it at its first item.
    void studyHighlightedLesson();
    void highlightLesson(int index);
    void tickLesson(int index, bool ticked);

    // The learner has confirmed the exit: the lesson list window may go.
    void confirmExit() { exiting_ = true; }

private:
    // Appends a chosen lesson ticked, or tells the learner why not.
    bool appendChosenLesson(std::string path);
    // Loads the lesson list entry at `index`; nothing when there is none.
    bool loadLessonAt(int index);
    // The lesson read ahead, when it is the one at `path`.
    std::optional<ReadLesson> takeReadAhead(const std::string& path);
    void changed(Change change) { changes_.add(change); }

    CompanionState state_;
    SettingsFiles files_;
    speech::Voice& voice_;
    common::RandomSource& random_;
    CompanionUi& ui_;
    Changes changes_;
    bool exiting_ = false;
    std::future<std::optional<ReadLesson>> readAhead_;
};

}  // namespace lorvane::companion
