#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/paths.h"
#include "common/random_source.h"
#include "common/text_file.h"
#include "companion/engine/companion_engine.h"
#include "companion/engine/companion_ui.h"
#include "tests/doubles/fake_voice.h"
#include "tests/temp_folder.h"

// The windows around the engine: the file dialog answers from a queue and
// cancels once it is empty; `onPendingEvents` stands for a command the
// learner gives while a lesson loads.
class FakeCompanionUi : public lorvane::companion::CompanionUi {
public:
    std::string chooseLessonFile() override {
        ++dialogs;
        std::string chosen = files.empty() ? "" : files.front();
        if (!files.empty()) {
            files.pop_front();
        }
        return chosen;
    }
    void reportRefusedLesson(const std::string& reason) override { refusals.push_back(reason); }
    void showLessonList() override { ++listShown; }
    void hideLessonList() override { ++listHidden; }
    void processPendingEvents() override {
        ++events;
        if (onPendingEvents) {
            onPendingEvents();
        }
    }

    std::deque<std::string> files;
    std::vector<std::string> refusals;
    int dialogs = 0, listShown = 0, listHidden = 0, events = 0;
    std::function<void()> onPendingEvents;
};

// Draws the given numbers in turn, over and over.
class ScriptedRandom : public lorvane::common::RandomSource {
public:
    float next() override { return draws[drawn++ % draws.size()]; }
    std::vector<float> draws{0.5f};
    std::size_t drawn = 0;
};

// A program folder with its lesson folder and an engine on it.
class CompanionTest : public ::testing::Test {
protected:
    CompanionTest() {
        std::filesystem::create_directory(lorvane::common::lessonFolder(programDir.path()));
    }

    // A lesson text in GBK with CR LF, as the shipped lessons are.
    std::string lesson(const std::string& name, const std::vector<std::string>& lines) {
        return lessonBytes(name, lorvane::common::encodeLines(lines));
    }
    std::string lessonBytes(const std::string& name, std::string_view bytes) {
        return programDir.write(std::string(lorvane::common::kLessonFolderName) + "/" + name,
                                bytes);
    }
    std::string inLessons(const std::string& name) {
        return lorvane::common::lessonFolder(programDir.path()) + name;
    }
    std::string readBack(const std::string& name) {
        return programDir.read(std::string(lorvane::common::kLessonFolderName) + "/" + name);
    }
    void add(const std::string& path, bool ticked) {
        ASSERT_TRUE(model().form4.add(path, ticked).added);
    }
    // Starts the lesson at `index` as the study button does.
    void study(int index) {
        model().form4.highlight(index);
        engine.studyHighlightedLesson();
    }

    lorvane::companion::CompanionModel& model() { return engine.model(); }
    const std::vector<std::string>& items() { return model().form1.List1.items(); }
    const std::string& meaning() { return model().form1.Label1.caption; }
    const std::string& english() { return model().form1.Label1.tag; }
    std::string& answer() { return model().form1.Text1.text; }
    int curkewen() { return model().curkewen; }
    int curword() { return model().curword; }

    TempFolder programDir;
    FakeVoice voice;
    ScriptedRandom random;
    FakeCompanionUi ui;
    lorvane::companion::CompanionEngine engine{programDir.path(), voice, random, ui};
};
