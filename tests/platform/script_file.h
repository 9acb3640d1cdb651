#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes a shell script (or any file) and sets its permissions: the stand-in
// programs of the launcher and opener tests.
inline bool writeScript(const QString& path, const QByteArray& body, bool executable = true) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size()) {
        return false;
    }
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) {
        permissions |= QFile::ExeOwner;
    }
    return QFile::setPermissions(path, permissions);
}

// The contents of a file, or "<missing>".
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A shell-quoted path for use inside a script.
inline QByteArray shellQuoted(const QString& path) {
    QByteArray quoted = path.toUtf8();
    quoted.replace("'", "'\\''");
    return "'" + quoted + "'";
}
