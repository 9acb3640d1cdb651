#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <string>

#include "tests/temp_folder.h"

// Checks that the help names every caption the learner reads on a program's
// windows and menus. The captions are taken from the real windows, as the
// program builds them, so a new or renamed button can't be forgotten.

struct Caption {
    QString text;   // as the learner reads it
    QString where;  // program, kind and object name, for the failure message
};

// Every text on the windows that exist now: buttons and check boxes, labels,
// tooltips, window titles, list entries, menu entries and the keys beside
// them. Texts that hold `dataFolder` come from the test's own files and are
// left out.
QList<Caption> captionsOnScreen(const QString& program, const QString& dataFolder);

// Fails the running test for each caption that the help doesn't name.
void expectAllNamedInHelp(const QList<Caption>& captions);

// A program folder with an empty lesson folder, so that every text on the
// windows is the program's own.
class ProgramFolder {
public:
    ProgramFolder();
    QString path() const { return QString::fromStdString(folder_.path()); }
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
};
