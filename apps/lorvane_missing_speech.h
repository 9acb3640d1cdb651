#pragma once

#include <QString>
#include <functional>

// The trainer's start-up failure: no speech synthesiser, or none with an
// English voice. Tells the learner in a message box, then opens the
// installation notes of `programFolder` with `openDocument`; the program
// ends after it.
void reportMissingSpeech(const QString& programFolder,
                         const std::function<bool(const QString& path)>& openDocument);
