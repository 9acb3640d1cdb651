#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "trainer/engine/form2.h"

namespace lorvane::trainer {

// The study window: shows the Form2 model and forwards the learner's events
// to it. It has no title bar of its own; the caption strip moves it.
class StudyWindow : public QWidget {
    Q_OBJECT

public:
    StudyWindow(Form2& model, QString programFolder, QWidget* parent = nullptr);

    // Shows the model's state in the widgets.
    void refresh();
    // Copies the window's place and size (in twips) into the model.
    void storeGeometry();
    // Applies the model's place and size.
    void applyGeometry();

    Form2& model() { return model_; }
    QLineEdit* answerBox() const { return Text1_; }

    // What the window asks of the rest of the program.
    std::function<void()> onShowChooser;       // the "O" button's click
    std::function<void()> onCaptionDragEnded;  // dock the chooser again
    std::function<bool(const QString& path)> openDocument;
    std::function<bool(const QString& path)> startProgram;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* button(const char* name, const QString& caption, QRect place,
                        const QString& tip = {});
    QLabel* label(const char* name, const QString& caption, QRect place);
    void buildControls();
    void connectControls();
    void handle(const std::function<void()>& action);
    void syncTimer(QTimer& timer, const common::TimerState& state);
    void beginDrag(QMouseEvent* event, bool byCaption);
    void companionFailed();

    Form2& model_;
    QString programFolder_;

    QLabel* Label4_ = nullptr;
    QPushButton* Command15_[2] = {};
    std::array<QCheckBox*, 5> Check1_{};
    QComboBox* combo1_ = nullptr;
    QScrollBar* HScroll1_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QListWidget* List1_ = nullptr;
    std::array<QListWidget*, kBoxCount> List2_{};
    QListWidget* List3_ = nullptr;
    std::array<std::vector<std::string>, kBoxCount> shownBoxes_;
    std::vector<std::string> shownExamples_;
    std::array<QLabel*, 2> Label1_{};
    QLabel* Label3_ = nullptr;
    QLabel* Label5_ = nullptr;
    QLabel* Label6_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QPushButton* Command4_ = nullptr;
    QPushButton* Command12_ = nullptr;
    QTimer Timer1_;
    QTimer Timer2_;

    // Dragging: by the window system where it can, else by hand.
    bool captionDrag_ = false;
    QTimer dragSettled_;
    QPoint dragOffset_;
    bool manualDrag_ = false;
    bool closing_ = false;
};

}  // namespace lorvane::trainer
