#pragma once

#include <QString>

namespace lorvane::platform {

// Starts the program file at `path` (a full path) without arguments and
// without waiting for it; the started program lives on when the caller ends.
//
// Returns false when the file is missing, is no regular file, is not
// executable, or could not be started; the trainer then tells the learner.
bool startProgram(const QString& path);

}  // namespace lorvane::platform
