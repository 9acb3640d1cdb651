#include "platform/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/atomic_file.h"

namespace lorvane::platform {

namespace {

QString autostartFolder() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be
    // ignored, as the base directory rules say.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString config = QDir::isAbsolutePath(configHome)
                               ? configHome
                               : QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

// Escapes the characters a desktop entry string value cannot hold as they
// are. Applied to every value, after any quoting of the Exec key.
QString escapeStringValue(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
            case '\\':
                escaped += QStringLiteral("\\\\");
                break;
            case '\n':
                escaped += QStringLiteral("\\n");
                break;
            case '\t':
                escaped += QStringLiteral("\\t");
                break;
            case '\r':
                escaped += QStringLiteral("\\r");
                break;
            default:
                escaped += ch;
        }
    }
    // A leading space would be trimmed away by readers.
    if (escaped.startsWith(QLatin1Char(' '))) {
        escaped.replace(0, 1, QStringLiteral("\\s"));
    }
    return escaped;
}

QByteArray entryText(const QString& name, const QString& executable) {
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + escapeStringValue(name) + QLatin1Char('\n');
    // The name and picture of the companion's menu entry, so that the
    // session's list of start-up programs shows what the menu shows.
    text += QStringLiteral("Name[zh_CN]=Miselle 单词小窗\n");
    text += QStringLiteral("Icon=miselle\n");
    text += QStringLiteral("Exec=") + desktopExecValue(executable) + QLatin1Char('\n');
    // The program has no console; started at logon nobody should get one.
    text += QStringLiteral("Terminal=false\n");
    // GNOME skips entries it considers switched off; say plainly it is on.
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    // Desktop entry files are UTF-8, whatever the locale.
    return text.toUtf8();
}

}  // namespace

QString desktopExecValue(const QString& program) {
    // Quoting rule of the Exec key: inside double quotes, these four
    // characters are preceded by a backslash.
    QString quoted = QStringLiteral("\"");
    for (const QChar ch : program) {
        if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$') ||
            ch == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += ch;
    }
    quoted += QLatin1Char('"');
    // The string escapes come on top of the quoting: readers undo them first.
    // Then a literal % is written %% (field codes are expanded last).
    return escapeStringValue(quoted).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString autostartEntryPath(const QString& name) {
    return autostartFolder() + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

bool writeAutostartEntry(const QString& name, const QString& executable) {
    // The desktop starts the entry from a session whose working folder is
    // anyone's guess, so only a full path will do.
    if (!QDir::isAbsolutePath(executable)) {
        return false;
    }
    if (!QDir().mkpath(autostartFolder())) {
        return false;
    }
    // Written beside the entry, flushed and renamed over it, as the programs'
    // other files are: a full disk never leaves half an entry behind, and a
    // link in place of the entry is replaced rather than written through
    // (QSaveFile would write into whatever the link points to).
    const QByteArray bytes = entryText(name, executable);
    return common::writeFileAtomically(QFile::encodeName(autostartEntryPath(name)).toStdString(),
                                       std::string_view(bytes.constData(), bytes.size()))
        .ok();
}

bool removeAutostartEntry(const QString& name) {
    const QString path = autostartEntryPath(name);
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink()) {
        return true;
    }
    return QFile::remove(path);
}

bool autostartEntryExists(const QString& name) {
    return QFileInfo(autostartEntryPath(name)).isFile();
}

}  // namespace lorvane::platform
