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
#include "companion/engine/list_file.h"
#include "tests/companion/engine/items_as_strings.h"
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
    // Appends a lesson through the add button's dialog (not counted among
    // the dialogs), then unticks it when asked, as the learner would.
    void add(const std::string& path, bool ticked) {
        const int before = engine.lessons().count();
        ui.files.push_back(path);
        engine.addLesson();
        --ui.dialogs;
        ASSERT_EQ(engine.lessons().count(), before + 1);
        if (!ticked) {
            engine.tickLesson(before, false);
        }
    }
    void remove(int index) {
        engine.highlightLesson(index);
        engine.deleteHighlightedLesson();
    }
    // Starts the lesson at `index` as the study button does.
    void study(int index) {
        engine.highlightLesson(index);
        engine.studyHighlightedLesson();
    }
    // Puts the cursor where a previous run left it, through the settings
    // files as a start does; the list and the lesson in memory stay, and no
    // voice is selected. The other settings take their defaults.
    void restoreCursor(int lesson, int item) {
        lessonBytes("listgirl.dat", lorvane::companion::encodeListFile(engine.lessons()));
        // [配置] and 语音 in GBK
        lessonBytes("girl.dat", "[\xC5\xE4\xD6\xC3]\r\ncurkewen=" + std::to_string(lesson) +
                                    "\r\ncurword=" + std::to_string(item) +
                                    "\r\n\xD3\xEF\xD2\xF4=-1\r\n");
        engine.loadSettings();
    }

    std::vector<std::string> items() { return itemsAsStrings(engine.items()); }
    const std::string& meaning() { return engine.item().meaning(); }
    const std::string& english() { return engine.item().english(); }
    const std::string& answer() { return engine.item().answer(); }
    int currentLesson() { return engine.currentLesson(); }
    int currentItem() { return engine.currentItem(); }

    TempFolder programDir;
    FakeVoice voice;
    ScriptedRandom random;
    FakeCompanionUi ui;
    lorvane::companion::CompanionEngine engine{programDir.path(), voice, random, ui};
};
