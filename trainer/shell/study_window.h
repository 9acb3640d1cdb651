#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "trainer/engine/study_session.h"
#include "trainer/shell/box_list_model.h"
#include "ui_support/answer_box.h"
#include "ui_support/window_drag.h"

namespace lorvane::trainer {

// The study window: shows the study session and forwards the learner's
// events to it, repainting what the session reports changed. It has no
// title bar of its own; the caption strip moves it.
class StudyWindow : public QWidget {
    Q_OBJECT

public:
    StudyWindow(StudySession& session, QString programFolder, QWidget* parent = nullptr);

    // Shows the session's state in the parts that changed.
    void refresh(StudyChanges changes = StudyChanges::everything());
    // Hands the window's place and size (in twips) to the session.
    void storeGeometry();
    // Applies the session's place and size.
    void applyGeometry();

    // What the window asks of the desktop.
    std::function<bool(const QString& path)> openDocument;
    std::function<bool(const QString& path)> startProgram;
    // The phonetic transcription of an English word, shown over the word
    // while it is shown; "" for none.
    std::function<std::string(const std::string& english)> transcribe;

signals:
    void lessonChooserWanted();  // the "O" button
    void captionDragEnded();     // the button that dragged the window by its caption is up

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void submitAnswer();
    void editAnswer(const QString& text);
    void toggleRecording();
    void playRecording();
    void previousWord();
    void nextWord();
    void readAloud();
    void showExamples();
    void readExample();
    void showWordBank();
    void collapsePanel();
    void chooseVoice(int index);
    void typeVoiceName(const QString& text);
    void changeRate(int rate);
    void turnPage();
    void recordingLimitReached();
    void showHelp();
    void startCompanion();
    void watchCaptionRelease();

private:
    QPushButton* button(const char* name, const QString& caption, QRect place,
                        const QString& tip = {});
    QLabel* label(const char* name, const QString& caption, QRect place);
    void buildControls();
    void buildCaptionBand();
    void connectControls();
    void changeOption(StudyOption option);
    void mouseReleased(QObject* watched);
    void beginCaptionDrag(QMouseEvent* event);
    void endCaptionDrag();
    void refreshOptions();
    void refreshVoices();
    void showTranscription(const QHelpEvent& hover);
    void refreshBoxes();
    void refreshPanel();
    void showFrontList();
    void refreshWord();
    void refreshAnswerBox();
    void restoreFocus();
    void companionFailed();

    StudySession& session_;
    QString programFolder_;

    QLabel* caption_ = nullptr;
    std::array<QCheckBox*, kStudyOptionCount> optionBoxes_{};
    QComboBox* voiceList_ = nullptr;
    QScrollBar* rateBar_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QPushButton* openLessonButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* wordBankButton_ = nullptr;
    QListWidget* boxList_ = nullptr;
    std::array<QListView*, kBoxCount> wordLists_{};
    std::array<BoxListModel*, kBoxCount> boxModels_{};
    QListWidget* exampleList_ = nullptr;
    std::vector<std::string> shownExamples_;
    QLabel* englishLine_ = nullptr;
    QLabel* meaningLine_ = nullptr;
    QLabel* panelHint_ = nullptr;
    QLabel* countLine_ = nullptr;
    QLabel* messageLine_ = nullptr;
    ui::AnswerBox* answerBox_ = nullptr;
    QTimer pageTurn_;
    QTimer recordingLimit_;

    ui::WindowDrag drag_{*this, Qt::LeftButton};
    // A drag by the caption docks the chooser when its button is released.
    // While the window manager moves the window, the window hears nothing of
    // the mouse: the button is watched instead.
    bool captionDrag_ = false;
    QTimer captionReleaseWatch_;
    // The window manager may still place the window once more after the
    // release; the chooser follows it until then.
    QDeadlineTimer dockAfterRelease_;
    bool closing_ = false;
};

}  // namespace lorvane::trainer
