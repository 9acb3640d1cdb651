#include "trainer/engine/form2.h"

#include <cmath>
#include <utility>

#include "common/lesson_entry.h"
#include "common/lesson_reader.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "trainer/engine/progress_files.h"

namespace lorvane::trainer {

namespace {

// What the learner is told when a file had more lines than a box holds.
std::string cutNotice(const std::string& source, std::size_t kept, std::size_t leftOut) {
    return "“" + source + "”太长：只读入了前" + std::to_string(kept) + "行，其余" +
           std::to_string(leftOut) + "行没有读入。";
}

}  // namespace

Form2::Form2(std::string programFolder, speech::Voice& voice, speech::WaveAudio& recorder,
             common::RandomSource& random, StudyPrompts& prompts)
    : programFolder_(std::move(programFolder)),
      voice_(voice),
      recorder_(recorder),
      random_(random),
      prompts_(prompts) {
    for (const std::string_view name : kBoxNames) {
        List1.add(std::string(name));
    }
    // As the window is designed: Chinese shown, auto page-turn on. The
    // settings then put in what the learner chose last time.
    Check1[1].value = 1;
    Check1[3].value = 1;
    Timer1.interval = kPageTurnMs;
    Timer2.interval = kRecordingLimitMs;
    Command1.caption = "录音";
    focus = "Text1";
}

void Form2::initlist(const std::string& path) {
    for (common::ListBoxState& box : List2) {
        box.clear();
    }
    attempts_ = 0;
    keepUnreadProgress_ = false;
    Tag = path;

    const std::string unstorable =
        holdsLineBreak(path) ? "这篇课文的路径里有换行符，下次启动时不能自动打开它。" : "";
    const auto base = common::lessonBaseName(path);
    if (base && hasProgress(*base) && prompts_.askContinueProgress()) {
        const bool restored = loadlist();
        if (!unstorable.empty()) {
            Label6.caption = restored ? unstorable : Label6.caption + " " + unstorable;
        }
        return;
    }

    std::string error;
    std::string notice;
    if (const auto lesson = common::readLessonEntries(path, &error)) {
        notice = addToBox(kNewWordBox, lesson->lines, common::getfilename(path));
        if (lesson->leftOut > 0) {
            // The reader stopped at the box's limit and only counted the rest.
            const std::size_t kept = static_cast<std::size_t>(List2[kNewWordBox].count());
            notice = cutNotice(common::getfilename(path), kept,
                               lesson->lines.size() - kept + lesson->leftOut);
        }
        if (lesson->lines.empty() && lesson->leftOut == 0) {
            notice = "课文“" + common::getfilename(path) + "”里没有单词。";
        }
    } else {
        notice = "无法打开课文“" + common::getfilename(path) + "”：" + error;
    }

    List2[kNewWordBox].select(0);
    List1.select(kNewWordBox);
    Timer1.tag = "0";
    resetRecorder();
    Timer2.enabled = false;
    Timer1.enabled = false;
    if (List2[kNewWordBox].count() == 0) {
        // Nothing of the previous lesson may stay on show, or the learner
        // would be judged against its word.
        clearDisplay();
    }
    showword(0);
    if (!unstorable.empty()) {
        notice += (notice.empty() ? "" : " ") + unstorable;
    }
    if (!notice.empty()) {
        Label6.caption = notice;
    }
}

// Appends entries to a box up to its limit; returns what to tell the learner
// when some did not fit, "" when all did.
std::string Form2::addToBox(int box, const std::vector<std::string>& entries,
                            const std::string& source) {
    common::ListBoxState& list = List2[static_cast<std::size_t>(box)];
    std::size_t added = 0;
    while (added < entries.size() && list.add(entries[added])) {
        ++added;
    }
    if (added == entries.size()) {
        return {};
    }
    return cutNotice(source, added, entries.size() - added);
}

void Form2::showword(int n) {
    if (recording()) {
        command1Click();  // stops the recording
    }
    Timer1.enabled = false;
    Timer2.enabled = false;
    attempts_ = 0;
    const int box = selectedBox();
    if (box < 0) {
        return;
    }
    common::ListBoxState& list = List2[static_cast<std::size_t>(box)];
    const int count = list.count();
    if (Check1[4].checked()) {
        // Int((C - 1) * r) in single precision: never the last entry.
        n = static_cast<int>(std::floor(static_cast<float>(count - 1) * random_.next()));
    }
    if (count == 0 || n < 0 || n > count - 1) {
        return;  // the display stays as it was
    }
    List3.clear();
    Text1.text.clear();
    Text1.enabled = true;
    focus = "Text1";
    Timer1.tag = std::to_string(n);
    list.selected = n;

    const common::LessonEntry entry = common::splitEntry(list.item(n));
    if (!entry.hasSeparator) {
        // A line without the two spaces between word and meaning cannot be
        // practised: show it whole and expect no answer.
        Label1[0].caption.clear();
        Label1[0].tag.clear();
        Label1[1].caption = entry.text;
        Label1[1].visible = true;
        Label6.caption = "这一行没有用两个空格分开英文和中文，无法练习，请选择别的单词。";
        showCount();
        return;
    }
    Label1[0].tag = entry.english;
    Label1[0].caption = Check1[0].checked() ? entry.english : std::string();
    Label1[1].caption = entry.meaning;
    Label1[1].visible = Check1[1].checked();
    if (Check1[2].checked()) {
        voice_.speak(entry.english);
    }
    showCount();
}

void Form2::showCount() {
    const int box = selectedBox();
    if (box >= 0) {
        Label5.caption =
            "卡中有" + std::to_string(List2[static_cast<std::size_t>(box)].count()) + "个单词";
    }
}

void Form2::clearDisplay() {
    Label1[0].caption.clear();
    Label1[0].tag.clear();
    Label1[1].caption.clear();
    Text1.text.clear();
    List3.clear();
}

void Form2::list1MouseUp() {
    Label1[0].caption.clear();
    Label1[0].tag.clear();
    Label1[1].caption.clear();
    showword(0);
    command12Click();
    // Also for an empty box, where showword stops early.
    showCount();
}

void Form2::list2MouseUp(int box) {
    if (box < 0 || box >= kBoxCount) {
        return;
    }
    const int selected = List2[static_cast<std::size_t>(box)].selected;
    if (selected >= 0) {
        showword(selected);
    }
}

void Form2::list3DblClick() {
    if (List3.selected >= 0 && List3.selected < List3.count()) {
        voice_.speak(List3.item(List3.selected));
    }
}

}  // namespace lorvane::trainer
