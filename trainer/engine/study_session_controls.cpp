// The study window's buttons, options, voice and settings.
#include <algorithm>
#include <cstdio>

#include "common/ascii_text.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "trainer/engine/study_session.h"

namespace lorvane::trainer {

StudyChanges StudySession::setOption(StudyOption option, OptionState state) {
    options_.set(option, state);
    mark(StudyPart::Options);
    applyOption(option);
    return takeChanges();
}

StudyChanges StudySession::toggleOption(StudyOption option) {
    return setOption(option, StudyOptions::clicked(options_.state(option)));
}

void StudySession::applyOption(StudyOption option) {
    if (option == StudyOption::ShowEnglish) {
        englishLine_ = options_.isOn(option) ? check_.expected() : std::string();
        mark(StudyPart::Word);
    } else if (option == StudyOption::ShowMeaning) {
        meaningShown_ = options_.isOn(option);
        mark(StudyPart::Word);
    }
    // The other three are read when they are needed.
}

StudyChanges StudySession::toggleRecording() {
    switchRecording();
    return takeChanges();
}

void StudySession::switchRecording() {
    mark(StudyPart::Recording);
    if (!recording_) {
        recording_ = true;
        focus_ = Focus::RecordButton;
        mark(StudyPart::AnswerBox);
        setMessage("请大声朗读单词！");
        recorder_.startRecording();
        return;
    }
    const long position = recorder_.position();
    if (position >= -32768 && position <= 32767) {
        playbackEnd_ = static_cast<std::int16_t>(position);
    }
    recorder_.stopRecording();
    recording_ = false;
    setMessage("录音结束！");
}

StudyChanges StudySession::recordingLimitReached() {
    if (recording_) {
        switchRecording();
    }
    return takeChanges();
}

StudyChanges StudySession::playRecording() {
    recorder_.play(0, playbackEnd_);
    return takeChanges();
}

void StudySession::resetRecorder() {
    recorder_.reset();
}

bool StudySession::answerIsPlainAscii() const {
    return common::isPlainAscii(check_.expected());
}

StudyChanges StudySession::readAloud() {
    voice_.speak(check_.expected());
    return takeChanges();
}

StudyChanges StudySession::showExamples() {
    frontList_ = kExamplesInFront;
    settings_.place.height = WindowPlace::kExpandedHeight;
    panelHint_ = "双击例句，可以朗读例句。";
    mark(StudyPart::Panel | StudyPart::Place);
    if (examples_.empty() && !check_.expected().empty()) {
        fillExamples(check_.expected());
    }
    return takeChanges();
}

StudyChanges StudySession::readExample(int index) {
    if (index >= 0 && index < static_cast<int>(examples_.size())) {
        selectedExample_ = index;
        voice_.speak(examples_[static_cast<std::size_t>(index)]);
    }
    return takeChanges();
}

StudyChanges StudySession::collapsePanel() {
    settings_.place.height = WindowPlace::kCollapsedHeight;
    mark(StudyPart::Place);
    return takeChanges();
}

StudyChanges StudySession::showWordBank() {
    frontChosenBox();
    return takeChanges();
}

void StudySession::frontChosenBox() {
    if (boxes_.chosenBox() < 0) {
        return;
    }
    frontList_ = boxes_.chosenBox();
    panelHint_ = "可以在下面的单词库中选择当前学习的单词。";
    mark(StudyPart::Panel);
}

StudyChanges StudySession::openPanel() {
    settings_.place.height = WindowPlace::kExpandedHeight;
    mark(StudyPart::Place);
    return takeChanges();
}

std::string StudySession::exampleFile() const {
    return common::lessonFolder(programFolder_) + "word.dat";
}

void StudySession::fillExamples(const std::string& word) {
    examples_.clear();
    selectedExample_ = -1;
    mark(StudyPart::Panel);
    const common::Status read = common::forEachLine(
        exampleFile(), common::Decoding::Detect, [this, &word](const std::string& line) {
            const std::string_view sentence = common::trimSpaces(line);
            if (!sentence.empty() && sentence.find(word) != std::string_view::npos) {
                if (static_cast<int>(examples_.size()) >= kMaxListEntries) {
                    return false;
                }
                examples_.emplace_back(sentence);
            }
            return true;
        });
    if (!read) {
        setMessage("无法打开例句文件“word.dat”：" + read.message());
    }
}

// --- voice and settings ---

void StudySession::loadVoices() {
    voices_ = voice_.voiceDescriptions();
    if (static_cast<int>(voices_.size()) > kMaxListEntries) {
        voices_.resize(kMaxListEntries);
    }
    settings_.voice = -1;
    mark(StudyPart::Voices);
}

StudyChanges StudySession::selectVoice(int index) {
    if (index >= -1 && index < static_cast<int>(voices_.size())) {
        settings_.voice = index;
        mark(StudyPart::Voices);
        if (index >= 0) {
            voice_.selectVoice(index);
        }
    }
    return takeChanges();
}

void StudySession::typeVoiceName(const std::string& text) {
    if (settings_.voice >= 0 && text != voices_[static_cast<std::size_t>(settings_.voice)]) {
        settings_.voice = -1;
    }
    typedVoiceName_ = text;
}

StudyChanges StudySession::setRate(int rate) {
    settings_.rate = rate;
    mark(StudyPart::Voices);
    voice_.setRate(rate);
    return takeChanges();
}

std::string StudySession::settingsFile() const {
    return studySettingsFile(programFolder_);
}

StudySession::AfterSettings StudySession::loadSettings(int screenWidth, int screenHeight) {
    StudySettings stored = settings_;
    for (int i = 0; i < kStudyOptionCount; ++i) {
        stored.options[static_cast<std::size_t>(i)] = options_.state(static_cast<StudyOption>(i));
    }
    stored.lesson = lesson_;
    readStudySettings(settingsFile(), screenWidth, screenHeight, static_cast<int>(voices_.size()),
                      stored);
    settings_.place = stored.place;
    mark(StudyPart::Place);
    // Only a value that differs from what is set reaches the voice or the
    // display, as when the learner changes it.
    for (int i = 0; i < kStudyOptionCount; ++i) {
        const auto option = static_cast<StudyOption>(i);
        if (stored.options[static_cast<std::size_t>(i)] != options_.state(option)) {
            options_.set(option, stored.options[static_cast<std::size_t>(i)]);
            mark(StudyPart::Options);
            applyOption(option);
        }
    }
    if (stored.voice != settings_.voice) {
        settings_.voice = stored.voice;
        mark(StudyPart::Voices);
        if (stored.voice >= 0) {
            voice_.selectVoice(stored.voice);
        }
    }
    if (stored.rate != settings_.rate) {
        settings_.rate = stored.rate;
        mark(StudyPart::Voices);
        voice_.setRate(stored.rate);
    }
    if (!stored.lesson) {
        lesson_.clear();
        readAhead_ = {};
        return AfterSettings::ShowChooser;
    }
    lesson_ = *stored.lesson;
    if (!lesson_.empty()) {
        (void)restore();  // a failure is on the message line
    }
    // Whatever was read ahead and not taken is of no use later on.
    readAhead_ = {};
    return AfterSettings::Continue;
}

common::Status StudySession::saveSettings() const {
    StudySettings current = settings_;
    for (int i = 0; i < kStudyOptionCount; ++i) {
        current.options[static_cast<std::size_t>(i)] = options_.state(static_cast<StudyOption>(i));
    }
    current.lesson = lesson_;
    common::Status saved = writeStudySettings(settingsFile(), current);
    if (!saved) {
        // Not worth a message at closing time: the next start reads the
        // older values or the defaults.
        std::fprintf(stderr, "Lorvane: %s\n", saved.message().c_str());
    }
    return saved;
}

}  // namespace lorvane::trainer
