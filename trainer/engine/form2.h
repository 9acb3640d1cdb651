#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/control_state.h"
#include "common/random_source.h"
#include "speech/voice.h"
#include "speech/wave_audio.h"
#include "trainer/engine/card_boxes.h"
#include "trainer/engine/study_prompts.h"

namespace lorvane::trainer {

// Whether a lesson path holds a line break, which the settings file cannot
// keep: such a lesson is not reopened at the next start.
bool holdsLineBreak(std::string_view path);

// The study window of the trainer, as a model: the state its controls hold
// and one method per event the learner causes. The Qt window shows these
// fields and forwards its events here; tests drive it the same way.
class Form2 {
public:
    static constexpr int kCollapsedHeight = 4125;  // twips: word-bank panel hidden
    static constexpr int kExpandedHeight = 6060;   // twips: panel shown
    static constexpr int kPageTurnMs = 4000;
    static constexpr int kRecordingLimitMs = 20000;
    // Which list is in front in the panel: a box (0 … 5) or the examples.
    static constexpr int kExamplesInFront = kBoxCount;

    // `programFolder` is where the lesson folder and its word.dat live.
    Form2(std::string programFolder, speech::Voice& voice, speech::WaveAudio& recorder,
          common::RandomSource& random, StudyPrompts& prompts);

    // --- the controls ---
    std::string Tag;                                    // the open lesson's full path; "" for none
    common::ListBoxState List1;                         // the box list
    std::array<common::ListBoxState, kBoxCount> List2;  // one word list per card box
    common::ListBoxState List3;                         // example sentences of the shown word
    common::TextBoxState Text1;                         // the answer box
    std::array<common::LabelState, 2> Label1;           // English (tag: expected answer), meaning
    common::LabelState Label3;                          // hint line of the word-bank panel
    common::LabelState Label5;                          // count line of the selected box
    common::LabelState Label6;                          // message line
    std::array<common::CheckBoxState, 5> Check1;        // the five study options
    common::TimerState Timer1;                          // auto page-turn; tag: current entry index
    common::TimerState Timer2;                          // recording time limit
    common::ButtonState Command1;                       // record / stop; the caption is the state
    int left = 0;                                       // window place and size in twips
    int top = 0;
    int width = 6165;
    int height = kCollapsedHeight;
    int frontList = kNewWordBox;  // the list in front in the panel
    std::string focus;            // name of the control with the keyboard focus
    common::ListBoxState combo1;  // the installed voices
    std::string combo1Text;       // what is typed into the voice list
    int HScroll1 = 0;             // speaking rate, -10 … 10

    // Shows the lesson chooser with the study window as its owner.
    std::function<void()> onShowChooser;

    // Enter presses on the shown entry (16-bit).
    int attempts() const { return attempts_; }
    // Where playback of the recording ends, in milliseconds (16-bit).
    std::int16_t playbackEnd() const { return playbackEnd_; }

    // --- opening, showing and judging entries ---
    void initlist(const std::string& path);
    void showword(int n);
    void text1Enter();  // the answer check
    void timer1Tick();  // auto page-turn
    void timer2Tick();  // recording time-out
    void list1MouseUp();
    void list2MouseUp(int box);
    void list3DblClick();

    // --- progress files ---
    // Both return false, after telling the learner, when they fail.
    bool savelist();
    bool loadlist();

    // --- voice and settings ---
    void setupVoice();      // fills the voice list
    void combo1Click();     // after the shell has set combo1.selected
    void hscroll1Change();  // after the shell has set HScroll1 (a completed change)
    std::string settingsFile() const;
    // `screenWidth` and `screenHeight` in twips give the defaults of the place.
    void loadsetting(int screenWidth, int screenHeight);
    void savesetting();

    // --- buttons and options ---
    void check1Click(int index);  // after the shell has set Check1[index].value
    void command1Click();         // record / stop
    void command2Click();         // play back the recording
    void command3Click();         // previous word
    void command5Click();         // next word
    void command6Click();         // read the current word aloud
    void command7Click();         // example sentences
    void command11Click();        // collapse the panel
    void command12Click();        // word bank
    void command12MouseUp();      // a mouse click on the word bank also opens the panel

    // The recorder reset of opening and restoring a lesson.
    void resetRecorder();
    void fillexamples(const std::string& word);

    std::string exampleFile() const;

private:
    bool recording() const;
    int selectedBox() const { return List1.selected; }
    int answeredEntry() const;
    void showCount();
    void clearDisplay();
    std::string addToBox(int box, const std::vector<std::string>& entries,
                         const std::string& source);
    void stepBy(int delta);
    void rightAnswer();
    void wrongAnswer(const std::string& typed);
    void thirdFailure();
    bool moveEntry(int fromBox, int index, int toBox);

    std::string programFolder_;
    speech::Voice& voice_;
    speech::WaveAudio& recorder_;
    common::RandomSource& random_;
    StudyPrompts& prompts_;
    int attempts_ = 0;
    std::int16_t playbackEnd_ = 0;
    // Set when restoring the open lesson could not read all of its progress
    // files while some of the unread ones are there: saving would replace
    // them with what this run never read.
    bool keepUnreadProgress_ = false;
};

}  // namespace lorvane::trainer
