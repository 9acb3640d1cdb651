#pragma once

#include <QLockFile>
#include <QString>

namespace lorvane::platform {

// The lock that lets one instance of a program run per user: the first
// instance holds it for its whole run, a second start finds it taken and
// ends. The lock is a QLockFile in the user's runtime folder; a lock left
// behind by an instance that crashed or was killed belongs to a process that
// no longer runs and is taken over, so it never blocks the next start.
//
// The lock is tried once, in the constructor, without waiting, and released
// when the object dies.
class SingleInstance {
public:
    // `name` names the program (one lock per program), e.g. "Miselle".
    explicit SingleInstance(const QString& name);
    ~SingleInstance() = default;

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only running instance and holds the lock.
    bool isOnlyInstance() const { return locked_; }

    // Where the lock of `name` lives: "<runtime folder>/<name>.lock", or a
    // per-user name in the temporary folder when there is no runtime folder.
    static QString lockFilePath(const QString& name);

private:
    QLockFile lock_;
    bool locked_ = false;
};

}  // namespace lorvane::platform
