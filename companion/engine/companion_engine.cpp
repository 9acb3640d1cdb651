#include "companion/engine/companion_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/lesson_reader.h"
#include "common/paths.h"
#include "common/random_source.h"
#include "common/text_file.h"
#include "companion/engine/companion_ui.h"
#include "companion/engine/item_display.h"
#include "speech/voice.h"

namespace lorvane::companion {

namespace {

// Indices are 16-bit; a step past either end is kept at the end instead of
// overflowing, and the moves then treat it as outside the list.
std::int16_t clampToInt16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

CompanionEngine::CompanionEngine(std::string_view programFolder, speech::Voice& voice,
                                 common::RandomSource& random, CompanionUi& ui)
    : model_(voice),
      files_(settingsFilesIn(common::lessonFolder(programFolder))),
      voice_(voice),
      random_(random),
      ui_(ui) {}

void CompanionEngine::loadSettings() {
    companion::loadSettings(files_, model_);
}

bool CompanionEngine::saveSettings() {
    return companion::saveSettings(files_, model_);
}

// Lines are added as they are read and the UI runs between them, so a key
// can run a move meanwhile. If that move loads a lesson itself, the newer
// load wins: this one stops at once, before its lines can mix with the new
// lesson's, and reports that it was overtaken.
bool CompanionEngine::loadLesson(std::string path) {
    const common::NewestRun::Number thisLoad = loads_.begin();
    common::ListBoxState& items = model_.form1.List1;
    items.clear();
    std::string error;
    const bool read = common::readCompanionLesson(
        path,
        [&](std::string item) {
            if (!items.add(std::move(item))) {
                return false;  // a full list keeps its first 32767 lines
            }
            ui_.processPendingEvents();
            return loads_.isNewest(thisLoad);
        },
        &error);
    if (!loads_.isNewest(thisLoad)) {
        return false;
    }
    if (!read || items.count() == 0) {
        // Nothing to show: the label says why, briefly (it is small; its tip
        // names the lesson), instead of keeping the last lesson's item, whose
        // English would still be the expected answer.
        common::LabelState& label = model_.form1.Label1;
        label.caption = read ? "课文是空的" : "打不开：" + error;
        label.tag.clear();
    }
    return true;
}

bool CompanionEngine::loadLessonAt(int index) {
    if (!model_.form4.contains(index)) {
        return false;
    }
    return loadLesson(model_.form4.at(index).path);
}

void CompanionEngine::startupDisplay() {
    if (model_.form4.empty()) {
        openLessonRoutine();
    }
    const bool anyTicked = model_.form4.anyTicked();
    if (model_.form1.List1.count() > 0) {
        if (anyTicked) {
            showCurrentItem();
        } else {
            ui_.showLessonList();
        }
    } else if (anyTicked && loadLessonAt(model_.curkewen)) {
        // The lesson at the restored index, ticked or not; `curword` keeps
        // its restored value so the learner goes on where the last run ended.
        showCurrentItem();
    }
}

std::int16_t CompanionEngine::drawItemIndex() {
    // 1 … n − 1: item 0 comes only in order or when a lesson starts.
    const int n = model_.form1.List1.count();
    const float drawn = static_cast<float>(n - 1) * random_.next() + 1.0f;
    int index = static_cast<int>(std::floor(drawn));
    // In single precision the highest draws round up to n when n − 1 is a
    // power of two, which would leave the lesson. With fewer than two items
    // every draw is meant to leave it.
    if (n >= 2) {
        index = std::min(index, n - 1);
    }
    return static_cast<std::int16_t>(index);
}

void CompanionEngine::nextItem() {
    model_.form1.Text1.text.clear();
    const int n = model_.form1.List1.count();
    model_.curword = model_.menu.suijixianshi ? drawItemIndex() : clampToInt16(model_.curword + 1);
    if (model_.curword > n - 1) {
        nextGroup();
    } else {
        showCurrentItem();
    }
}

void CompanionEngine::previousItem() {
    model_.curword = model_.menu.suijixianshi ? drawItemIndex() : clampToInt16(model_.curword - 1);
    if (model_.curword < 0) {
        previousGroup();
    } else {
        showCurrentItem();
    }
}

void CompanionEngine::nextkewen(std::int16_t& step) {
    LessonList& lessons = model_.form4;
    if (lessons.empty()) {
        openLessonRoutine();
        model_.curkewen = 0;
        step = 0;
    }
    if (!lessons.anyTicked()) {
        ui_.showLessonList();
        return;
    }
    for (;;) {
        const int next = model_.curkewen + step;
        const int last = lessons.count() - 1;
        if (next > last) {
            // Past the end: no wrap-around; the lesson in memory starts again.
            model_.curkewen = clampToInt16(last);
            model_.curword = step == 1 ? 0 : clampToInt16(model_.form1.List1.count() - 2);
            showCurrentItem();
            return;
        }
        if (next < 0) {
            model_.curkewen = 0;
            model_.curword = 0;
            showCurrentItem();
            return;
        }
        model_.curkewen = static_cast<std::int16_t>(next);
        if (lessons.at(next).ticked) {
            if (loadLesson(lessons.at(next).path)) {
                model_.curword = 0;
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
    std::int16_t step = 1;
    nextkewen(step);
}

void CompanionEngine::previousGroup() {
    std::int16_t step = -1;
    nextkewen(step);
}

void CompanionEngine::showCurrentItem() {
    const common::ListBoxState& items = model_.form1.List1;
    if (items.count() == 0) {
        return;  // the label keeps what it showed
    }
    const int index = model_.curword;
    const bool inList = index >= 0 && index < items.count();
    showItem(model_.form1.Label1, inList ? std::string_view(items.item(index)) : "");
}

void CompanionEngine::checkAnswer() {
    if (common::trimSpaces(model_.form1.Text1.text) == model_.form1.Label1.tag) {
        nextItem();
    }
}

void CompanionEngine::speakCurrentWord() {
    voice_.speak(model_.form1.Label1.tag);
}

void CompanionEngine::showCorrectEnglish() {
    model_.form1.Text1.text = model_.form1.Label1.tag;
}

void CompanionEngine::hideLessonList() {
    ui_.hideLessonList();
}

bool CompanionEngine::appendChosenLesson(std::string path) {
    if (common::trimSpaces(path).empty()) {
        return false;  // cancelled
    }
    LessonList::AddResult result = model_.form4.add(std::move(path), true);
    if (!result.added) {
        ui_.reportRefusedLesson(result.reason);
    }
    return result.added;
}

void CompanionEngine::openLessonRoutine() {
    if (appendChosenLesson(ui_.chooseLessonFile()) && model_.form4.tickedCount() == 1) {
        loadLessonAt(model_.curkewen);
    }
}

void CompanionEngine::addLesson() {
    appendChosenLesson(ui_.chooseLessonFile());
}

void CompanionEngine::deleteHighlightedLesson() {
    model_.form4.removeAt(model_.form4.highlighted());
}

void CompanionEngine::studyHighlightedLesson() {
    const int index = model_.form4.highlighted();
    if (index < 0) {
        return;
    }
    model_.form4.setTicked(index, true);
    // One before it, so that the next group lands on it and starts it.
    model_.curkewen = static_cast<std::int16_t>(index - 1);
    nextGroup();
}

std::string CompanionEngine::currentLessonFileName() const {
    const int index = model_.curkewen;
    return model_.form4.contains(index) ? common::getfilename(model_.form4.at(index).path)
                                        : std::string();
}

}  // namespace lorvane::companion
