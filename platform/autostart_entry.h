#pragma once

#include <QString>

namespace lorvane::platform {

// Start at logon through an XDG autostart entry: the desktop starts every
// "<name>.desktop" in $XDG_CONFIG_HOME/autostart (~/.config/autostart when
// the variable is unset or not an absolute path) after the user logs in.
//
// Nothing here runs on its own: the file is written or removed only when
// these functions are called. Failures are answered with false and nothing
// else (no message, no log): the caller goes on either way.

// "<autostart folder>/<name>.desktop".
QString autostartEntryPath(const QString& name);

// Writes the entry that starts `executable` (an absolute path) at logon,
// titled `name`, with the companion's Chinese name and icon as its menu
// entry has them, creating the autostart folder when it is missing. The file
// is replaced whole or not at all (written beside it, then renamed; a link
// in its place is replaced, not followed). False when the path is not
// absolute or the folder or file cannot be written.
bool writeAutostartEntry(const QString& name, const QString& executable);

// Removes the entry. True when no entry is left, also when there was none.
bool removeAutostartEntry(const QString& name);

// Whether the entry exists as a file.
bool autostartEntryExists(const QString& name);

// The value of an Exec key that runs `program` without arguments, exactly as
// it is written into a desktop entry file: the path in double quotes with
// `"`, `` ` ``, `$` and `\` escaped for the command line, then escaped again
// as a desktop entry string value (so a `$` becomes `\\$`), and `%` doubled
// so that it is never taken for a field code.
QString desktopExecValue(const QString& program);

}  // namespace lorvane::platform
