#include "platform/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace lorvane::platform {

QString SingleInstance::lockFilePath(const QString& name) {
    // The runtime folder belongs to the user alone and is emptied at logout,
    // so nothing stale survives a new session there.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return runtime + QLatin1Char('/') + name + QStringLiteral(".lock");
    }
    // The temporary folder is shared by every user: the user id in the name
    // keeps one user's instance from blocking another's.
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') +
           QString::number(::getuid()) + QStringLiteral(".lock");
}

SingleInstance::SingleInstance(const QString& name) : lock_(lockFilePath(name)) {
    // No age limit: an instance may run for weeks. A lock is stale only when
    // the process that wrote it has gone, which QLockFile checks by itself.
    // (Under the default of 30 seconds a live lock that old still held when
    // measured on a local disk, because Qt also locks the file itself; we
    // don't count on that on every file system.)
    lock_.setStaleLockTime(0);
    // Zero timeout: the second start must end at once, not wait its turn.
    locked_ = lock_.tryLock(0);
}

}  // namespace lorvane::platform
