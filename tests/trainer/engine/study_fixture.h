#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "common/gbk_codec.h"
#include "common/random_source.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "tests/temp_folder.h"
#include "trainer/engine/study_prompts.h"
#include "trainer/engine/study_session.h"

// The entries of a box as strings, to compare with what a test expects.
inline std::vector<std::string> boxEntries(const lorvane::trainer::CardBoxes& boxes, int box) {
    const std::vector<std::string_view>& entries = boxes.entries(box);
    return {entries.begin(), entries.end()};
}

// Random numbers chosen by the test; 0 once the list runs out.
class ScriptedRandom : public lorvane::common::RandomSource {
public:
    float next() override {
        if (values.empty()) {
            return 0.0f;
        }
        const float value = values.front();
        values.pop_front();
        return value;
    }
    std::deque<float> values;
};

class ScriptedPrompts : public lorvane::trainer::StudyPrompts {
public:
    bool askContinueProgress() override {
        ++questions;
        return continueProgress;
    }
    void warn(const std::string& text) override { warnings.push_back(text); }

    bool continueProgress = true;
    int questions = 0;
    std::vector<std::string> warnings;
};

// A program folder with a lesson folder, and the study window over it.
class StudyTest : public ::testing::Test {
protected:
    StudyTest() { std::filesystem::create_directories(lessonDir()); }

    std::string lessonDir() const { return folder.path() + "/单词课文/初一"; }

    // Writes a lesson in GBK with CR LF from UTF-8 lines; returns its path.
    std::string writeLesson(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += lorvane::common::gbk::encode(line) + "\r\n";
        }
        return writeRaw(name, bytes);
    }
    std::string writeRaw(const std::string& name, const std::string& bytes) {
        return folder.write("单词课文/初一/" + name, bytes);
    }
    std::string readRaw(const std::string& name) const {
        return folder.read("单词课文/初一/" + name);
    }

    // Opens a lesson of the four fruit words.
    void openFruit() {
        session.openLesson(
            writeLesson("第一课.txt", {"apple  苹果", "pear  梨", "plum  李子", "peach  桃"}));
    }

    void answer(const std::string& typed) { session.submitAnswer(typed); }

    void chooseBox(int box) { session.chooseBox(box); }

    std::vector<std::string> box(int index) const { return boxEntries(session.boxes(), index); }

    TempFolder folder;
    FakeVoice voice;
    FakeRecorder recorder;
    ScriptedRandom random;
    ScriptedPrompts prompts;
    lorvane::trainer::StudySession session{folder.path(), voice, recorder, random, prompts};
};
