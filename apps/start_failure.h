#pragma once

#include <QString>
#include <exception>

// A start-up that failed for a reason other than missing speech (that one
// has its own message): tells the learner in a message box what went wrong,
// so the program never just vanishes. `program` is the program's name.
void reportStartFailure(const QString& program, const std::exception& error);
