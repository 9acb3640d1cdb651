#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "companion/engine/changes.h"
#include "companion/shell/commands.h"
#include "ui_support/answer_box.h"
#include "ui_support/window_drag.h"

class QKeyEvent;
class QMouseEvent;

namespace lorvane::companion {

class CompanionEngine;

// The companion's main window `Form1`: a small frameless strip with the
// meaning of the current item, the answer box and two corner buttons. It
// shows the engine's item, answer and colours, hands the answer to the
// engine, and turns the learner's other keys and clicks into commands for
// the program around it.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(CompanionEngine& engine, QWidget* parent = nullptr);

    // Repaints the parts of the window among `changes`.
    void repaint(Changes changes);
    // Places the window at the engine's edges (twips).
    void applyGeometry();
    // Tells the engine the window's edges when it has been moved away from
    // them.
    void storeGeometry();

    QLineEdit* answerBox() const { return answerBox_; }

    // Asked on every request to close the window; true lets it close.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // The key tables of the answer box: right after a Ctrl key-down, and
    // otherwise.
    static std::optional<Command> ctrlKeyCommand(int key);
    static std::optional<Command> plainKeyCommand(int key);

signals:
    void commandGiven(Command command);
    void menuRequested(const QPoint& globalPos);
    // The engine has run an action of this window; its changes are waiting.
    void engineActed();

private slots:
    void submitAnswer();
    void editAnswer(const QString& text);
    void menuButtonClicked();
    void hideButtonClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    bool answerKeyPress(QKeyEvent* event);
    void beginDrag(QMouseEvent* event);
    void endDrag();

    CompanionEngine& engine_;
    std::function<bool()> closeGuard_;
    QLabel* meaningLabel_ = nullptr;
    ui::AnswerBox* answerBox_ = nullptr;
    QPushButton* menuButton_ = nullptr;
    QPushButton* hideButton_ = nullptr;

    // From a Ctrl key-down until the next key-down or Ctrl's release.
    bool ctrlHeld_ = false;
    // Dragging: by the window system where it can, else by hand.
    ui::WindowDrag drag_{*this};  // by the body or the meaning, with any button
};

}  // namespace lorvane::companion
