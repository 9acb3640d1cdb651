#include "companion/engine/companion_engine.h"

#include <utility>

#include "common/paths.h"
#include "common/text_file.h"
#include "companion/engine/companion_ui.h"
#include "speech/voice.h"

namespace lorvane::companion {

CompanionEngine::CompanionEngine(std::string_view programFolder, speech::Voice& voice,
                                 common::RandomSource& random, CompanionUi& ui)
    : state_(voice),
      files_(settingsFilesIn(common::lessonFolder(programFolder))),
      voice_(voice),
      random_(random),
      ui_(ui) {}

Changes CompanionEngine::takeChanges() {
    return std::exchange(changes_, Changes{});
}

void CompanionEngine::loadSettings() {
    companion::loadSettings(files_, state_);
    changes_ = Changes::everything();
}

common::Status CompanionEngine::saveSettings() {
    return companion::saveSettings(files_, state_);
}

bool CompanionEngine::loadLesson(const std::string& path) {
    std::optional<ReadLesson> readAhead = takeReadAhead(path);
    const common::Result<LessonCursor::Load> load =
        readAhead ? state_.cursor.load(std::move(*readAhead))
                  : state_.cursor.load(path, [this] { ui_.processPendingEvents(); });
    if (!load) {
        // Nothing to show: the label says why, briefly (it is small; its tip
        // names the lesson), instead of keeping the last lesson's item, whose
        // English would still be the expected answer.
        state_.item.showMessage(load.message());
        changed(Change::Item);
        return true;
    }
    return load.value() == LessonCursor::Load::Finished;
}

bool CompanionEngine::loadLessonAt(int index) {
    if (!state_.lessons.contains(index)) {
        return false;
    }
    return loadLesson(state_.lessons.at(index).path);
}

std::optional<ReadLesson> CompanionEngine::takeReadAhead(const std::string& path) {
    if (!readAhead_.valid()) {
        return std::nullopt;
    }
    std::optional<ReadLesson> read = readAhead_.get();  // leaves the future empty
    if (!read || read->path != path) {
        return std::nullopt;
    }
    return read;
}

void CompanionEngine::startupDisplay() {
    if (state_.lessons.empty()) {
        askForFirstLesson();
    }
    const bool anyTicked = state_.lessons.anyTicked();
    if (state_.cursor.itemCount() > 0) {
        if (anyTicked) {
            showCurrentItem();
        } else {
            ui_.showLessonList();
        }
    } else if (anyTicked && loadLessonAt(state_.cursor.lesson())) {
        // The lesson at the restored index, ticked or not; the current item
        // keeps its restored value so the learner goes on where the last run
        // ended.
        showCurrentItem();
    }
    readAhead_ = {};  // not taken: a later load reads the file itself
}

void CompanionEngine::nextItem() {
    state_.item.setAnswer({});
    changed(Change::Answer);
    LessonCursor& cursor = state_.cursor;
    const bool random = state_.options.isOn(MenuOption::RandomOrder);
    cursor.setItem(random ? cursor.drawItem(random_) : cursor.item() + 1);
    if (cursor.item() > cursor.itemCount() - 1) {
        nextGroup();
    } else {
        showCurrentItem();
    }
}

void CompanionEngine::previousItem() {
    LessonCursor& cursor = state_.cursor;
    const bool random = state_.options.isOn(MenuOption::RandomOrder);
    cursor.setItem(random ? cursor.drawItem(random_) : cursor.item() - 1);
    if (cursor.item() < 0) {
        previousGroup();
    } else {
        showCurrentItem();
    }
}

void CompanionEngine::moveToLesson(int step) {
    LessonList& lessons = state_.lessons;
    LessonCursor& cursor = state_.cursor;
    if (lessons.empty()) {
        askForFirstLesson();
        // The lesson just chosen, if any, is the one to start.
        cursor.setLesson(0);
        step = 0;
    }
    if (!lessons.anyTicked()) {
        ui_.showLessonList();
        return;
    }
    for (;;) {
        const int next = cursor.lesson() + step;
        const int last = lessons.count() - 1;
        if (next > last) {
            // Past the end: no wrap-around; the lesson in memory starts again.
            cursor.setLesson(last);
            cursor.setItem(step == 1 ? 0 : cursor.itemCount() - 2);
            showCurrentItem();
            return;
        }
        if (next < 0) {
            cursor.setLesson(0);
            cursor.setItem(0);
            showCurrentItem();
            return;
        }
        cursor.setLesson(next);
        if (lessons.at(next).ticked) {
            if (loadLesson(lessons.at(next).path)) {
                cursor.setItem(0);
                showCurrentItem();
            }
            return;
        }
        if (step == 0) {
            // A zero step on an unticked lesson would never get anywhere.
            showCurrentItem();
            return;
        }
    }
}

void CompanionEngine::nextGroup() {
    moveToLesson(1);
}

void CompanionEngine::previousGroup() {
    moveToLesson(-1);
}

void CompanionEngine::showCurrentItem() {
    if (state_.cursor.itemCount() == 0) {
        return;  // the label keeps what it showed
    }
    state_.item.show(state_.cursor.currentItemText());
    changed(Change::Item);
}

void CompanionEngine::editAnswer(std::string text) {
    if (text != state_.item.answer()) {
        state_.item.setAnswer(std::move(text));
        changed(Change::Answer);
    }
}

void CompanionEngine::submitAnswer(std::string text) {
    editAnswer(std::move(text));
    if (state_.item.answerIsRight()) {
        nextItem();
    }
}

void CompanionEngine::speakWord() {
    voice_.speak(state_.item.english());
}

void CompanionEngine::revealEnglish() {
    state_.item.revealEnglish();
    changed(Change::Answer);
}

void CompanionEngine::setOption(MenuOption option, bool on) {
    if (state_.options.isOn(option) == on) {
        return;
    }
    state_.options.set(option, on);
    changed(Change::Options);
    if (option == MenuOption::AlwaysOnTop) {
        changed(Change::Layer);
    }
}

void CompanionEngine::toggleOption(MenuOption option) {
    setOption(option, !state_.options.isOn(option));
}

void CompanionEngine::setTextColour(Colour colour) {
    state_.colours.text = colour;
    changed(Change::Colours);
}

void CompanionEngine::setBackgroundColour(Colour colour) {
    state_.colours.background = colour;
    changed(Change::Colours);
}

void CompanionEngine::windowMoved(WindowPlace place) {
    if (place != state_.place) {
        state_.place = place;
        changed(Change::Place);
    }
}

// The dialog's controls already show what the learner set: a refused value
// is the only thing to put back.
void CompanionEngine::selectVoice(int index) {
    if (!state_.voice.selectVoice(index)) {
        changed(Change::Voice);
    }
}

void CompanionEngine::setRate(int rate) {
    if (!state_.voice.setRate(rate)) {
        changed(Change::Voice);
    }
}

void CompanionEngine::setVolume(int volume) {
    if (!state_.voice.setVolume(volume)) {
        changed(Change::Voice);
    }
}

void CompanionEngine::showLessonList() {
    ui_.showLessonList();
}

void CompanionEngine::hideLessonList() {
    ui_.hideLessonList();
}

bool CompanionEngine::appendChosenLesson(std::string path) {
    if (common::trimSpaces(path).empty()) {
        return false;  // cancelled
    }
    const common::Status added = state_.lessons.add(std::move(path), true);
    if (!added) {
        ui_.reportRefusedLesson(added.message());
        return false;
    }
    changed(Change::Lessons);
    return true;
}

void CompanionEngine::askForFirstLesson() {
    if (appendChosenLesson(ui_.chooseLessonFile()) && state_.lessons.tickedCount() == 1) {
        // Loaded for the moves that follow; they show the item.
        (void)loadLessonAt(state_.cursor.lesson());
    }
}

void CompanionEngine::addLesson() {
    // Refusals have been told to the learner; a cancel needs nothing.
    (void)appendChosenLesson(ui_.chooseLessonFile());
}

void CompanionEngine::deleteHighlightedLesson() {
    state_.lessons.removeAt(state_.lessons.highlighted());
    changed(Change::Lessons);
}

void CompanionEngine::studyHighlightedLesson() {
    const int index = state_.lessons.highlighted();
    if (index < 0) {
        return;
    }
    state_.lessons.setTicked(index, true);
    changed(Change::Lessons);
    // One before it, so that the next group lands on it and starts it.
    state_.cursor.setLesson(index - 1);
    nextGroup();
}

void CompanionEngine::highlightLesson(int index) {
    if (state_.lessons.highlight(index)) {
        changed(Change::Lessons);
    }
}

void CompanionEngine::tickLesson(int index, bool ticked) {
    state_.lessons.setTicked(index, ticked);
    changed(Change::Lessons);
}

std::string CompanionEngine::currentLessonFileName() const {
    const int index = state_.cursor.lesson();
    return state_.lessons.contains(index) ? common::getfilename(state_.lessons.at(index).path)
                                          : std::string();
}

}  // namespace lorvane::companion
