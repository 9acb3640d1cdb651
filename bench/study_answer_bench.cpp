// The learner's most frequent action after the start: Enter on a right
// answer in a box of 32767 entries, until the next word is on the screen,
// through the study window's widgets; and the same answers given to the
// study session alone, which is what the widgets add to. Run under xvfb-run
// (or with QT_QPA_PLATFORM=offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "common/atomic_file.h"
#include "common/gbk_codec.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "trainer/shell/lorvane_app.h"

using namespace lorvane::common;
using namespace lorvane::trainer;

namespace {

// The trainer started on a program folder whose last lesson, 32767 entries
// all in the first box, is restored.
struct StartedTrainer {
    StartedTrainer() {
        stageTrainerLesson(folder.path, 32767);
        app =
            std::make_unique<LorvaneApp>(QString::fromStdString(folder.path), voice, recorder,
                                         LorvaneApp::Desktop{[](const QString&) { return true; },
                                                             [](const QString&) { return true; }});
        app->start();
        (void)QTest::qWaitForWindowExposed(&app->studyWindow());
        answerBox = app->studyWindow().findChild<QLineEdit*>(QStringLiteral("Text1"));
    }
    ScratchFolder folder{"lorvane-answer"};
    FakeVoice voice;
    FakeRecorder recorder;
    std::unique_ptr<LorvaneApp> app;
    QLineEdit* answerBox = nullptr;
};

// Made by the first benchmark that needs it, gone before the application.
std::unique_ptr<StartedTrainer> theTrainer;

StartedTrainer& startedTrainer() {
    if (!theTrainer) {
        theTrainer = std::make_unique<StartedTrainer>();
    }
    return *theTrainer;
}

// Enter on the right answer, timed until the next word is on screen.
void answerRightThroughTheWindow(benchmark::State& state, StartedTrainer& trainer) {
    for (auto _ : state) {
        state.PauseTiming();
        // Typing the word is the learner's part, not measured.
        trainer.answerBox->setText(QString::fromStdString(trainer.app->session().expectedAnswer()));
        state.ResumeTiming();
        QTest::keyClick(trainer.answerBox, Qt::Key_Return);
        // The next word is painted and handed to the display.
        QCoreApplication::processEvents();
    }
    state.counters["box"] = trainer.app->session().boxes().count(0);
}

void RightAnswerThroughTheStudyWindow(benchmark::State& state) {
    StartedTrainer& trainer = startedTrainer();
    answerRightThroughTheWindow(state, trainer);
}
BENCHMARK(RightAnswerThroughTheStudyWindow)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// The same with the word bank open below, its list of the box on show.
void RightAnswerWithTheWordBankOpen(benchmark::State& state) {
    StartedTrainer& trainer = startedTrainer();
    QTest::mouseClick(
        trainer.app->studyWindow().findChild<QPushButton*>(QStringLiteral("Command12")),
        Qt::LeftButton);
    QCoreApplication::processEvents();
    answerRightThroughTheWindow(state, trainer);
}
BENCHMARK(RightAnswerWithTheWordBankOpen)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void RightAnswerToTheSessionAlone(benchmark::State& state) {
    StudySession& session = startedTrainer().app->session();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string expected = session.expectedAnswer();
        state.ResumeTiming();
        benchmark::DoNotOptimize(session.submitAnswer(expected));
    }
    state.counters["box"] = session.boxes().count(0);
}
BENCHMARK(RightAnswerToTheSessionAlone)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theTrainer.reset();
    return 0;
}
