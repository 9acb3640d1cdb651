#pragma once

#include <QString>

namespace lorvane::platform {

// Opens a local document (the help page, the installation notes) with the
// desktop's opener, the way a double click in the file manager would.
//
// Returns whether the document could be handed over: false when the file
// does not exist or the opener program cannot be started. Whether a program
// for the document's type then exists is the opener's business and is not
// waited for: the call returns within milliseconds and the learner's window
// never hangs on it.
//
// `opener` is the program that is given the document's path as its one
// argument; xdg-open on every desktop we know of.
bool openDocument(const QString& path, const QString& opener = QStringLiteral("xdg-open"));

}  // namespace lorvane::platform
