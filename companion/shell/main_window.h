#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "companion/shell/commands.h"

class QKeyEvent;
class QMouseEvent;

namespace lorvane::companion {

class CompanionEngine;

// The companion's main window `Form1`: a small frameless strip with the
// meaning of the current item, the answer box and two corner buttons. It
// shows the engine's model and turns the learner's keys and clicks into
// commands; what a command does is up to the program around it.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(CompanionEngine& engine, QWidget* parent = nullptr);

    // Shows the model's item, answer and colours.
    void refresh();
    // Places the window at the model's edges (twips).
    void applyGeometry();
    // Writes the window's edges back into the model when the window has
    // been moved away from them.
    void storeGeometry();

    QLineEdit* answerBox() const { return Text1_; }
    // 1 from a Ctrl key-down until the next key-down or Ctrl's release.
    int ctrlHeld() const { return ctrlHeld_; }

    // The key tables of the answer box: with the Ctrl-held flag set, and
    // with it clear.
    static std::optional<Command> ctrlKeyCommand(int key);
    static std::optional<Command> plainKeyCommand(int key);

    std::function<void(Command)> onCommand;
    std::function<void(const QPoint& globalPos)> onPopupMenu;
    // Asked on every request to close the window; true lets it close.
    std::function<bool()> onCloseRequested;

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
    void run(Command command);
    bool answerKeyPress(QKeyEvent* event);
    void beginDrag(QMouseEvent* event);
    void endDrag();

    CompanionEngine& engine_;
    QLabel* Label1_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QPushButton* Command1_[2] = {};
    QListWidget* List1_ = nullptr;

    int ctrlHeld_ = 0;
    // Dragging: by the window system where it can, else by hand.
    bool manualDrag_ = false;
    QPoint dragOffset_;
};

}  // namespace lorvane::companion
