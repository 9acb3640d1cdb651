#pragma once

#include <future>
#include <optional>
#include <string>
#include <vector>

#include "common/random_source.h"
#include "common/result.h"
#include "speech/recorder.h"
#include "speech/voice.h"
#include "trainer/engine/answer_check.h"
#include "trainer/engine/card_boxes.h"
#include "trainer/engine/progress_read_ahead.h"
#include "trainer/engine/study_changes.h"
#include "trainer/engine/study_options.h"
#include "trainer/engine/study_prompts.h"
#include "trainer/engine/study_settings.h"

namespace lorvane::trainer {

// A learner studying one lesson: the card boxes, the answer check, the
// options, the voice and the recorder, and what the study window shows of
// them. Each learner action is one method; it returns the parts of the
// window it changed. The window shows the read-only views and nothing else.
class StudySession {
public:
    static constexpr int kPageTurnMs = 4000;         // after a third failure
    static constexpr int kRecordingLimitMs = 20000;  // a recording stops by itself
    // Which list is in front in the panel: a box's word list or the examples.
    static constexpr int kExamplesInFront = kBoxCount;

    // Where the keyboard goes: the answer box, the record button while a
    // recording runs, or ">>" while the answer box takes nothing after a
    // third failure, so that Enter or Space moves on.
    enum class Focus { AnswerBox, RecordButton, NextButton };
    enum class AfterSettings { Continue, ShowChooser };

    // `programFolder` is where the lesson folder and its word.dat live.
    StudySession(std::string programFolder, speech::Voice& voice, speech::Recorder& recorder,
                 common::RandomSource& random, StudyPrompts& prompts);

    // --- what the window shows ---
    const std::string& currentLesson() const { return lesson_; }  // "" for none
    const CardBoxes& boxes() const { return boxes_; }
    // The shown entry's place in the chosen box; none before any is shown.
    std::optional<int> currentEntry() const { return currentEntry_; }
    const std::string& expectedAnswer() const { return check_.expected(); }
    int attempts() const { return check_.attempts(); }
    const std::string& englishLine() const { return englishLine_; }  // or the hint
    // Whether the English itself is on show: not hidden, not only hinted at.
    bool englishShown() const {
        return !expectedAnswer().empty() && englishLine_ == expectedAnswer();
    }
    const std::string& meaningLine() const { return meaningLine_; }
    bool meaningShown() const { return meaningShown_; }
    const std::string& countLine() const { return countLine_; }
    const std::string& message() const { return message_; }
    const std::string& answerText() const { return answerText_; }
    bool answerBoxEnabled() const { return answerBoxEnabled_; }
    // Whether the expected answer is typed on a Latin keyboard alone. Only
    // then does the answer box keep an input method out; a lesson that asks
    // for Chinese needs one.
    bool answerIsPlainAscii() const;
    Focus focus() const { return focus_; }
    const StudyOptions& options() const { return options_; }
    const std::vector<std::string>& voices() const { return voices_; }
    int selectedVoice() const { return settings_.voice; }  // -1: none
    const std::string& typedVoiceName() const { return typedVoiceName_; }
    int rate() const { return settings_.rate; }
    bool recording() const { return recording_; }
    // Where playback of the recording ends, in milliseconds (16-bit).
    std::int16_t playbackEnd() const { return playbackEnd_; }
    bool pageTurnPending() const { return pageTurnPending_; }
    const WindowPlace& place() const { return settings_.place; }
    int frontList() const { return frontList_; }  // a box, or kExamplesInFront
    const std::string& panelHint() const { return panelHint_; }
    const std::vector<std::string>& examples() const { return examples_; }
    int selectedExample() const { return selectedExample_; }

    // --- the lesson and its entries ---
    StudyChanges openLesson(const std::string& path);
    StudyChanges showEntry(int index);
    StudyChanges chooseBox(BoxId box);               // a click in the box list
    StudyChanges chooseEntry(BoxId box, int index);  // a click in a word list
    StudyChanges previousWord();
    StudyChanges nextWord();
    StudyChanges turnPage();  // the page-turn time after a third failure is up

    // --- the answer ---
    void editAnswer(std::string text) { answerText_ = std::move(text); }  // as typed
    StudyChanges submitAnswer(const std::string& text);

    // --- progress files beside the lesson ---
    // A failure has been told to the learner when these return.
    common::Status saveProgress();
    // Opens a lesson where its saved progress left off, without asking, as
    // the start does for the lesson of the last run.
    common::Status restoreProgress(const std::string& lessonPath);
    // The learner leaves for another lesson with the mouse: the study so far
    // is saved before the chooser comes up.
    StudyChanges leaveLessonByMouse();
    // Progress being read ahead (see progress_read_ahead.h): loadSettings()
    // takes it when it is of the lesson the settings reopen, and lets it go
    // either way.
    void offerProgressReadAhead(std::future<std::optional<ProgressReadAhead>> readAhead) {
        readAhead_ = std::move(readAhead);
    }

    // --- options, voice and settings ---
    StudyChanges setOption(StudyOption option, OptionState state);
    StudyChanges setOption(StudyOption option, bool on) {
        return setOption(option, on ? OptionState::On : OptionState::Off);
    }
    // A click on an option's check box: off turns on, on and greyed turn off
    // and on again like any check box (greyed goes to on).
    StudyChanges toggleOption(StudyOption option);
    void loadVoices();  // the installed voices, for the voice list
    StudyChanges selectVoice(int index);
    // Text typed into the voice list; unless it is the chosen voice's name,
    // it leaves no voice chosen.
    void typeVoiceName(const std::string& text);
    StudyChanges setRate(int rate);
    std::string settingsFile() const;
    // `screenWidth` and `screenHeight` in twips give the defaults of the place.
    AfterSettings loadSettings(int screenWidth, int screenHeight);
    common::Status saveSettings() const;
    void setPlace(const WindowPlace& place) { settings_.place = place; }

    // --- buttons ---
    StudyChanges toggleRecording();
    StudyChanges recordingLimitReached();
    StudyChanges playRecording();
    StudyChanges readAloud();
    StudyChanges showExamples();
    StudyChanges readExample(int index);  // a double click on an example
    StudyChanges showWordBank();
    StudyChanges openPanel();  // a mouse click on the word bank also opens the panel
    StudyChanges collapsePanel();

    std::string exampleFile() const;

    // For tools and tests that build boxes directly; the window never does.
    CardBoxes& editBoxes() { return boxes_; }

private:
    StudyChanges takeChanges();
    static std::string noProgressNotice(const std::string& lesson);
    void mark(StudyChanges parts) { changes_ |= parts; }
    void setMessage(std::string text);
    void show(int index);
    void switchRecording();
    void frontChosenBox();
    bool restore();
    ProgressRead readProgressOf(const std::string& baseName);
    void resetRecorder();
    void clearDisplay();
    void showCount();
    void applyOption(StudyOption option);
    std::string addToBox(BoxId box, common::TextLines entries, const std::string& source);
    void stepBy(int delta);
    void rightAnswer(bool atFirstTry);
    void wrongAnswer(const AnswerCheck::Outcome& outcome);
    void thirdFailure();
    int answeredEntry() const;
    void moveEntry(BoxId from, int index, BoxId to);
    void fillExamples(const std::string& word);

    std::string programFolder_;
    speech::Voice& voice_;
    speech::Recorder& recorder_;
    common::RandomSource& random_;
    StudyPrompts& prompts_;

    std::string lesson_;
    CardBoxes boxes_;
    AnswerCheck check_;
    StudyOptions options_;
    StudySettings settings_;  // place, voice and rate; the options live in options_
    std::optional<int> currentEntry_;
    std::string englishLine_;
    std::string meaningLine_;
    bool meaningShown_ = true;
    std::string countLine_;
    std::string message_;
    std::string answerText_;
    bool answerBoxEnabled_ = true;
    Focus focus_ = Focus::AnswerBox;
    std::vector<std::string> voices_;
    std::string typedVoiceName_;
    bool recording_ = false;
    std::int16_t playbackEnd_ = 0;
    bool pageTurnPending_ = false;
    int frontList_ = kNewWordBox;
    std::string panelHint_;
    std::vector<std::string> examples_;
    int selectedExample_ = -1;
    // Set when restoring the open lesson could not read all of its progress
    // files while some of the unread ones are there: saving would replace
    // them with what this run never read.
    bool keepUnreadProgress_ = false;
    std::future<std::optional<ProgressReadAhead>> readAhead_;
    StudyChanges changes_;
};

}  // namespace lorvane::trainer
