#include "platform/program_launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace lorvane::platform {

bool startProgram(const QString& path) {
    const QFileInfo program(path);
    // Checked first so that a folder or a plain file gives a clear false
    // instead of whatever the exec call makes of it.
    if (!program.isAbsolute() || !program.isFile() || !program.isExecutable()) {
        return false;
    }
    // The started program finds its files from its own location, not from
    // the working folder; its own folder is still the least surprising one.
    // startDetached reports a failed exec (a file the system cannot run) as
    // false, and the program is not the caller's child, so no zombie is left.
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}

}  // namespace lorvane::platform
