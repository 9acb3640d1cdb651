#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace lorvane::ui {

// No speech synthesiser, or none with an English voice: tells the learner in
// a message box, then opens the installation notes of `programFolder` with
// `openDocument`; the program ends after it. `shortcutName` is the program
// whose desktop shortcut the message tells the learner to run again.
void reportMissingSpeech(const QString& shortcutName, const QString& programFolder,
                         const std::function<bool(const QString& path)>& openDocument);

// A start-up that failed for a reason other than missing speech: tells the
// learner in a message box what went wrong, so the program never just
// vanishes. `program` is the program's name.
void reportStartFailure(const QString& program, const std::exception& error);

}  // namespace lorvane::ui
