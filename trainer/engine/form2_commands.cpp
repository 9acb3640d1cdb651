// The study window's buttons and options: recording, stepping, reading
// aloud, the word bank and the example sentences.
#include "common/numbers.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "trainer/engine/form2.h"

namespace lorvane::trainer {

bool Form2::recording() const {
    return Command1.caption == "停止";
}

void Form2::check1Click(int index) {
    if (index == 0) {
        Label1[0].caption = Check1[0].checked() ? Label1[0].tag : std::string();
    } else if (index == 1) {
        Label1[1].visible = Check1[1].checked();
    }
    // The other three options are read by the drill when it needs them.
}

void Form2::command1Click() {
    if (!recording()) {
        Timer2.enabled = true;
        Command1.caption = "停止";
        focus = "Command1";
        Label6.caption = "请大声朗读单词！";
        recorder_.command("close");
        recorder_.setFileName("new");
        recorder_.command("open");
        recorder_.command("record");
        return;
    }
    Timer2.enabled = false;
    const long position = recorder_.position();
    if (position >= -32768 && position <= 32767) {
        playbackEnd_ = static_cast<std::int16_t>(position);
    }
    recorder_.command("stop");
    Command1.caption = "录音";
    Label6.caption = "录音结束！";
}

void Form2::command2Click() {
    recorder_.setFrom(0);
    recorder_.setTo(playbackEnd_);
    recorder_.command("play");
}

void Form2::resetRecorder() {
    recorder_.command("close");
    recorder_.setFileName("new");
    recorder_.command("open");
}

void Form2::stepBy(int delta) {
    const auto index = common::toInt16(Timer1.tag);
    if (!index) {
        return;
    }
    const auto next = common::toInt16(std::to_string(*index + delta));
    if (next) {
        showword(*next);
    }
}

void Form2::command3Click() {
    stepBy(-1);
}

void Form2::command5Click() {
    stepBy(+1);
}

void Form2::command6Click() {
    voice_.speak(Label1[0].tag);
}

void Form2::command7Click() {
    frontList = kExamplesInFront;
    height = kExpandedHeight;
    Label3.caption = "双击例句，可以朗读例句。";
    if (List3.count() == 0 && !Label1[0].tag.empty()) {
        fillexamples(Label1[0].tag);
    }
}

void Form2::command11Click() {
    height = kCollapsedHeight;
}

void Form2::command12Click() {
    if (selectedBox() < 0) {
        return;
    }
    frontList = selectedBox();
    Label3.caption = "可以在下面的单词库中选择当前学习的单词。";
}

void Form2::command12MouseUp() {
    height = kExpandedHeight;
}

std::string Form2::exampleFile() const {
    return common::lessonFolder(programFolder_) + "word.dat";
}

void Form2::fillexamples(const std::string& word) {
    List3.clear();
    std::string error;
    const bool read = common::forEachLine(
        exampleFile(), common::Decoding::Detect,
        [this, &word](std::string line) {
            const std::string_view sentence = common::trimSpaces(line);
            if (!sentence.empty() && sentence.find(word) != std::string_view::npos) {
                return List3.add(std::string(sentence));
            }
            return true;
        },
        &error);
    if (!read) {
        Label6.caption = "无法打开例句文件“word.dat”：" + error;
    }
}

}  // namespace lorvane::trainer
