#pragma once

#include <QFileDialog>
#include <QString>
#include <optional>

#include "companion/engine/companion_window_state.h"

class QWidget;

namespace lorvane::companion {

// The two common dialogs of the companion: Qt's own widgets (never the
// desktop's native ones), so that each can be placed with its top-left
// corner 200 pixels left of and above the centre of the screen, where the
// learner finds them whatever the small main window is doing.

// Moves a dialog about to be shown to that place; its size stays.
void placeDialog(QWidget* dialog);

// Qt's dialogs would remember their folders and custom colours in a
// settings file of their own, written whenever a dialog closes. The
// companion writes nothing but its two settings files, and only at a
// confirmed exit: what the dialogs remember lasts for the run, in memory
// (the choosers below), and Qt's file is neither read nor written.
void keepQtSettingsOffDisk();

// The open-file dialog for a lesson text: only "*.txt", starting in the
// lesson folder; a name typed without extension gets ".txt", and a file
// that doesn't exist yet is accepted once the learner confirms it.
class LessonFileDialog : public QFileDialog {
    Q_OBJECT

public:
    LessonFileDialog(QWidget* owner, const QString& lessonFolder);

public slots:
    void accept() override;
};

// Runs the lesson dialog. It always opens in the lesson folder; the folders
// visited in earlier dialogs of the run are offered in its history.
class LessonFileChooser {
public:
    // The chosen full path, or "" when the learner cancels.
    QString choose(QWidget* owner, const QString& lessonFolder);

private:
    QStringList history_;
};

// The colour dialog shared by the text and background commands. The last
// colour chosen (black at first) is what the next dialog shows selected;
// the 16 custom colours start near-white at the first use in a run and keep
// the learner's changes until the program ends. Neither is saved.
class ColourChooser {
public:
    // The chosen colour; nothing when the learner cancels.
    std::optional<Colour> choose(QWidget* owner);
    Colour lastColour() const { return last_; }

private:
    Colour last_ = 0;
    bool customColoursSet_ = false;
};

}  // namespace lorvane::companion
