#include "trainer/engine/study_session.h"

#include <cmath>
#include <utility>

#include "common/lesson_entry.h"
#include "common/lesson_reader.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "trainer/engine/progress_files.h"

namespace lorvane::trainer {

namespace {

// What the learner is told when a file had more lines than a box holds.
std::string cutNotice(const std::string& source, std::size_t kept, std::size_t leftOut) {
    return "“" + source + "”太长：只读入了前" + std::to_string(kept) + "行，其余" +
           std::to_string(leftOut) + "行没有读入。";
}

}  // namespace

StudySession::StudySession(std::string programFolder, speech::Voice& voice,
                           speech::Recorder& recorder, common::RandomSource& random,
                           StudyPrompts& prompts)
    : programFolder_(std::move(programFolder)),
      voice_(voice),
      recorder_(recorder),
      random_(random),
      prompts_(prompts) {}

StudyChanges StudySession::takeChanges() {
    return std::exchange(changes_, StudyChanges{});
}

void StudySession::setMessage(std::string text) {
    message_ = std::move(text);
    mark(StudyPart::Message);
}

StudyChanges StudySession::openLesson(const std::string& path) {
    boxes_.clear();
    mark(StudyPart::Boxes);
    check_.resetAttempts();
    keepUnreadProgress_ = false;
    lesson_ = path;

    const std::string unstorable =
        holdsLineBreak(path) ? "这篇课文的路径里有换行符，下次启动时不能自动打开它。" : "";
    const auto base = common::lessonBaseName(path);
    if (base && hasProgress(*base) && prompts_.askContinueProgress()) {
        const bool restored = restore();
        if (!unstorable.empty()) {
            setMessage(restored ? unstorable : message_ + " " + unstorable);
        }
        return takeChanges();
    }

    std::string notice;
    if (common::Result<common::LessonLines> read = common::readLessonEntries(path)) {
        common::LessonLines& lesson = read.value();
        const std::size_t lineCount = lesson.entries.lines.size();
        notice = addToBox(kNewWordBox, std::move(lesson.entries), common::getfilename(path));
        if (lesson.leftOut > 0) {
            // The reader stopped at the box's limit and only counted the rest.
            const auto kept = static_cast<std::size_t>(boxes_.count(kNewWordBox));
            notice = cutNotice(common::getfilename(path), kept, lineCount - kept + lesson.leftOut);
        }
        if (lineCount == 0 && lesson.leftOut == 0) {
            notice = "课文“" + common::getfilename(path) + "”里没有单词。";
        }
    } else {
        notice = "无法打开课文“" + common::getfilename(path) + "”：" + read.message();
    }

    (void)boxes_.selectEntry(kNewWordBox, 0);  // refused for an empty box: nothing selected
    (void)boxes_.choose(kNewWordBox);          // always a box
    currentEntry_ = 0;
    resetRecorder();
    pageTurnPending_ = false;
    mark(StudyPart::PageTurn);
    if (boxes_.count(kNewWordBox) == 0) {
        // Nothing of the previous lesson may stay on show, or the learner
        // would be judged against its word.
        clearDisplay();
    }
    show(0);
    if (!base) {
        notice += (notice.empty() ? "" : " ") + noProgressNotice(path);
    }
    if (!unstorable.empty()) {
        notice += (notice.empty() ? "" : " ") + unstorable;
    }
    if (!notice.empty()) {
        setMessage(notice);
    }
    return takeChanges();
}

// Appends entries to a box up to its limit; returns what to tell the learner
// when some did not fit, "" when all did.
std::string StudySession::addToBox(BoxId box, common::TextLines entries,
                                   const std::string& source) {
    const std::size_t offered = entries.lines.size();
    const std::size_t added = boxes_.addAll(box, std::move(entries));
    mark(StudyPart::Boxes);
    if (added == offered) {
        return {};
    }
    return cutNotice(source, added, offered - added);
}

StudyChanges StudySession::showEntry(int index) {
    show(index);
    return takeChanges();
}

void StudySession::show(int n) {
    if (recording_) {
        switchRecording();  // stops it
    }
    pageTurnPending_ = false;
    mark(StudyPart::PageTurn);
    check_.resetAttempts();
    const BoxId box = boxes_.chosenBox();
    if (box < 0) {
        return;
    }
    const int count = boxes_.count(box);
    if (options_.isOn(StudyOption::RandomWord)) {
        // Int((C - 1) * r) in single precision: never the last entry.
        n = static_cast<int>(std::floor(static_cast<float>(count - 1) * random_.next()));
    }
    if (count == 0 || n < 0 || n > count - 1) {
        return;  // the display stays as it was
    }
    examples_.clear();
    selectedExample_ = -1;
    answerText_.clear();
    answerBoxEnabled_ = true;
    focus_ = Focus::AnswerBox;
    currentEntry_ = n;
    boxes_.selectEntry(box, n);
    mark(StudyPart::Panel | StudyPart::AnswerBox | StudyPart::Boxes | StudyPart::Word);

    const common::LessonEntry entry =
        common::splitEntry(boxes_.entries(box)[static_cast<std::size_t>(n)]);
    if (!entry.hasSeparator) {
        // A line without the two spaces between word and meaning cannot be
        // practised: show it whole and expect no answer.
        englishLine_.clear();
        check_.expect({});
        meaningLine_ = entry.text;
        meaningShown_ = true;
        setMessage("这一行没有用两个空格分开英文和中文，无法练习，请选择别的单词。");
        showCount();
        return;
    }
    check_.expect(entry.english);
    englishLine_ = options_.isOn(StudyOption::ShowEnglish) ? entry.english : std::string();
    meaningLine_ = entry.meaning;
    meaningShown_ = options_.isOn(StudyOption::ShowMeaning);
    if (options_.isOn(StudyOption::SpeakWords)) {
        voice_.speak(entry.english);
    }
    showCount();
}

void StudySession::showCount() {
    const BoxId box = boxes_.chosenBox();
    if (box >= 0) {
        countLine_ = "卡中有" + std::to_string(boxes_.count(box)) + "个单词";
        mark(StudyPart::Word);
    }
}

void StudySession::clearDisplay() {
    englishLine_.clear();
    check_.expect({});
    meaningLine_.clear();
    answerText_.clear();
    examples_.clear();
    selectedExample_ = -1;
    mark(StudyPart::Word | StudyPart::AnswerBox | StudyPart::Panel);
}

StudyChanges StudySession::chooseBox(BoxId box) {
    if (!boxes_.choose(box)) {
        boxes_.unchoose();
    }
    englishLine_.clear();
    check_.expect({});
    meaningLine_.clear();
    mark(StudyPart::Boxes | StudyPart::Word);
    show(0);
    frontChosenBox();
    // Also for an empty box, where show() stops early.
    showCount();
    return takeChanges();
}

StudyChanges StudySession::chooseEntry(BoxId box, int index) {
    if (isBox(box) && boxes_.selectEntry(box, index) && index >= 0) {
        mark(StudyPart::Boxes);
        show(index);
    }
    return takeChanges();
}

void StudySession::stepBy(int delta) {
    if (!currentEntry_) {
        return;
    }
    const int next = *currentEntry_ + delta;
    if (next >= -32768 && next <= 32767) {  // entry places are 16-bit
        show(next);
    }
}

StudyChanges StudySession::previousWord() {
    stepBy(-1);
    return takeChanges();
}

StudyChanges StudySession::nextWord() {
    stepBy(+1);
    return takeChanges();
}

// --- the answer ---

StudyChanges StudySession::submitAnswer(const std::string& text) {
    if (!answerBoxEnabled_) {
        return takeChanges();  // a disabled box takes no Enter
    }
    answerText_ = text;
    const AnswerCheck::Outcome outcome = check_.judge(text);
    switch (outcome.verdict) {
        case AnswerCheck::Verdict::NothingToJudge:
            // No word is shown (an empty box, or a line that cannot be
            // practised): there is nothing to judge and nothing to move.
            setMessage("请先选择一个单词。");
            break;
        case AnswerCheck::Verdict::Right:
            rightAnswer(outcome.atFirstTry);
            break;
        default:
            wrongAnswer(outcome);
            break;
    }
    return takeChanges();
}

// The entry the learner is answering: the selected entry of the chosen box,
// or -1 once it has left the box (the display still shows it).
int StudySession::answeredEntry() const {
    const BoxId box = boxes_.chosenBox();
    return box < 0 ? -1 : boxes_.selectedEntry(box);
}

void StudySession::rightAnswer(bool atFirstTry) {
    setMessage(atFirstTry ? "不错，你很聪明！" : "你终于记住了，还要努力呀！");
    const int index = answeredEntry();
    if (index < 0) {
        return;  // the word is already gone from this box: nothing moves
    }
    moveEntry(boxes_.chosenBox(), index, kMemorizedBox);
    // The entry that moved up into its place is shown next.
    show(index);
    answerBoxEnabled_ = true;
    mark(StudyPart::AnswerBox);
}

void StudySession::wrongAnswer(const AnswerCheck::Outcome& outcome) {
    if (!options_.isOn(StudyOption::ShowEnglish)) {
        englishLine_ = outcome.hint;
        mark(StudyPart::Word);
    }
    switch (outcome.verdict) {
        case AnswerCheck::Verdict::WrongOnce:
            setMessage("你没有写对，请再试一次！");
            break;
        case AnswerCheck::Verdict::WrongTwice:
            setMessage("你有没有搞错，请再试一次！");
            break;
        case AnswerCheck::Verdict::ThirdFailure:
            thirdFailure();
            break;
        default:
            break;  // from the fourth try on, only the hint changes
    }
}

void StudySession::thirdFailure() {
    const int index = answeredEntry();
    meaningShown_ = true;
    mark(StudyPart::Word);
    if (index < 0) {
        // The word has already left this box: show and say it, move nothing.
        setMessage("这个单词已经不在这个卡片里了，请选择下一个单词。");
        voice_.speak(check_.expected());
        return;
    }
    const BoxId box = boxes_.chosenBox();
    BoxId target = box + 1;
    std::string prefix;
    answerBoxEnabled_ = false;
    if (box == kMemorizedBox) {
        answerBoxEnabled_ = true;
        target = kNewWordBox;
        // A memorized word forgotten: say so, and where it goes now.
        prefix = "怎么原来记住的单词又全部忘了！";
    }
    if (!answerBoxEnabled_) {
        focus_ = Focus::NextButton;  // Enter or Space goes on
    }
    mark(StudyPart::AnswerBox);
    currentEntry_ = index;
    if (target > kManyTimesBox) {
        setMessage("这个单词你总是记不住，你最好24小时都想着它");
    } else {
        setMessage(prefix + "你真是太笨了，该单词将被记录在" + std::string(trimmedBoxName(target)) +
                   "中。");
        moveEntry(box, index, target);
    }
    voice_.speak(check_.expected());
    if (options_.isOn(StudyOption::AutoPageTurn)) {
        pageTurnPending_ = true;
        mark(StudyPart::PageTurn);
    }
}

// A full target box keeps the entry where it is, and the learner is told.
void StudySession::moveEntry(BoxId from, int index, BoxId to) {
    switch (boxes_.move(from, index, to)) {
        case CardBoxes::Move::Moved:
            mark(StudyPart::Boxes);
            break;
        case CardBoxes::Move::TargetFull:
            setMessage(std::string(trimmedBoxName(to)) + "已满，这个单词留在" +
                       std::string(trimmedBoxName(from)) + "中。");
            break;
        case CardBoxes::Move::NoSuchEntry:
            break;  // the answered entry is always in its box
    }
}

StudyChanges StudySession::turnPage() {
    pageTurnPending_ = false;
    mark(StudyPart::PageTurn);
    if (currentEntry_) {
        show(*currentEntry_);
    }
    answerBoxEnabled_ = true;
    focus_ = Focus::AnswerBox;
    mark(StudyPart::AnswerBox);
    return takeChanges();
}

}  // namespace lorvane::trainer
