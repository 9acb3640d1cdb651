#include "platform/autostart_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace lorvane::platform;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// desktop-file-validate's verdict: its whole output, "" when it has nothing
// at all to say (no error, no warning, no hint).
QString validate(const QString& entry) {
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(QStringLiteral("desktop-file-validate"), {entry});
    if (!validator.waitForFinished(10000)) {
        return QStringLiteral("desktop-file-validate did not run (package desktop-file-utils)");
    }
    const QString output = QString::fromUtf8(validator.readAll());
    if (validator.exitStatus() != QProcess::NormalExit || validator.exitCode() != 0) {
        return QStringLiteral("exit %1: %2").arg(validator.exitCode()).arg(output);
    }
    return output;
}

}  // namespace

class AutostartEntryTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QString configHome_;  // not made: the first write must make it
    QString folder_;
    QString entry_;

private slots:
    void init() {
        temp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(temp_->isValid());
        configHome_ = temp_->filePath("config");
        folder_ = configHome_ + "/autostart";
        entry_ = folder_ + "/Miselle.desktop";
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_));
    }
    void cleanup() {
        qunsetenv("XDG_CONFIG_HOME");
        temp_.reset();
    }

    void entryPathFollowsXdgConfigHome() { QCOMPARE(autostartEntryPath("Miselle"), entry_); }

    void withoutAbsoluteXdgConfigHomeTheEntryGoesUnderHome() {
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(temp_->path()));
        qputenv("XDG_CONFIG_HOME", "relative/config");  // to be ignored
        const QString relative = autostartEntryPath("Miselle");
        qunsetenv("XDG_CONFIG_HOME");
        const QString unset = autostartEntryPath("Miselle");
        qputenv("HOME", home);
        QCOMPARE(relative, temp_->path() + "/.config/autostart/Miselle.desktop");
        QCOMPARE(unset, temp_->path() + "/.config/autostart/Miselle.desktop");
    }

    void askingWritesNothing() {
        QVERIFY(!autostartEntryExists("Miselle"));
        autostartEntryPath("Miselle");
        QVERIFY(!QFileInfo::exists(configHome_));
    }

    void execValueIsQuotedAndEscaped_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/lorvane/Miselle"
                               << "\"/opt/lorvane/Miselle\"";
        QTest::newRow("spaces and Chinese") << "/home/小明/我的 单词/Miselle"
                                            << "\"/home/小明/我的 单词/Miselle\"";
        // Each escape of the command line is escaped once more as a string.
        QTest::newRow("dollar") << "/opt/$HOME/Miselle"
                                << "\"/opt/\\\\$HOME/Miselle\"";
        QTest::newRow("double quote") << "/opt/a\"b/Miselle"
                                      << "\"/opt/a\\\\\"b/Miselle\"";
        QTest::newRow("backtick") << "/opt/a`b/Miselle"
                                  << "\"/opt/a\\\\`b/Miselle\"";
        QTest::newRow("backslash") << "/opt/a\\b/Miselle"
                                   << "\"/opt/a\\\\\\\\b/Miselle\"";
        QTest::newRow("percent") << "/opt/100%/Miselle"
                                 << "\"/opt/100%%/Miselle\"";
        QTest::newRow("newline") << "/opt/a\nb/Miselle"
                                 << "\"/opt/a\\nb/Miselle\"";
        QTest::newRow("tab") << "/opt/a\tb/Miselle"
                             << "\"/opt/a\\tb/Miselle\"";
        QTest::newRow("single quote and others")
            << "/opt/it's (mine) & <yours>; #1 ~|*?/Miselle"
            << "\"/opt/it's (mine) & <yours>; #1 ~|*?/Miselle\"";
    }
    void execValueIsQuotedAndEscaped() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(desktopExecValue(program), exec);
    }

    void writesTheEntryForAFolderWithSpacesChineseAndDollar() {
        const QString program = "/home/小明/我的 单词$1/Miselle";
        QVERIFY(writeAutostartEntry("Miselle", program));
        QVERIFY(autostartEntryExists("Miselle"));
        QCOMPARE(readAll(entry_), QByteArray("[Desktop Entry]\n"
                                             "Type=Application\n"
                                             "Name=Miselle\n"
                                             "Name[zh_CN]=Miselle 单词小窗\n"
                                             "Icon=miselle\n"
                                             "Exec=\"/home/小明/我的 单词\\\\$1/Miselle\"\n"
                                             "Terminal=false\n"
                                             "X-GNOME-Autostart-enabled=true\n"));
        QCOMPARE(validate(entry_), QString());
        // Nothing else is left in the folder: no temporary file.
        QCOMPARE(QDir(folder_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"Miselle.desktop"});
    }

    // The desktop shows the entry among the start-up programs with the
    // name and icon the companion has in the menu.
    void theEntryCarriesTheMenuEntrysChineseNameAndIcon() {
        QVERIFY(writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        const QList<QByteArray> written = readAll(entry_).split('\n');
        const QList<QByteArray> menu = readAll(MISELLE_MENU_ENTRY).split('\n');
        for (const QByteArray key : {"Name[zh_CN]=", "Icon="}) {
            const auto has = [&](const QByteArray& line) { return line.startsWith(key); };
            const auto inMenu = std::find_if(menu.begin(), menu.end(), has);
            QVERIFY2(inMenu != menu.end(), key.constData());
            QVERIFY2(written.contains(*inMenu), inMenu->constData());
        }
    }

    void everyEscapedCharacterPassesTheValidator() {
        QVERIFY(writeAutostartEntry("Miselle", "/opt/a\"b`c$d\\e%f g/小明/Miselle"));
        QCOMPARE(validate(entry_), QString());
    }

    // An ordinary file of the user's, as the umask makes them, not the
    // private mode of the temporary file it is written as; also when it
    // replaces an entry.
    void theEntryHasTheModeOfAnOrdinaryFile() {
        const mode_t mask = ::umask(022);
        const bool written = writeAutostartEntry("Miselle", "/opt/lorvane/Miselle") &&
                             writeAutostartEntry("Miselle", "/opt/lorvane/Miselle");
        ::umask(mask);
        QVERIFY(written);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(entry_).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0644));
    }

    // A real reader of desktop entries (GLib, as GNOME's session starter
    // uses) starts the program from the entry: the quoting takes it to the
    // right file, whatever the folder is called. (Not with a "%" in it:
    // GLib looks for the program before it turns "%%" back into "%", so it
    // starts no such program whatever the entry says.)
    void aDesktopLauncherStartsTheProgramFromTheEntry() {
        const QString gio = QStandardPaths::findExecutable("gio");
        if (gio.isEmpty()) {
            QSKIP("gio (package libglib2.0-bin) is not installed");
        }
        const QString folder = temp_->filePath("我的 单词$HOME `x` \"q\" \\");
        QVERIFY(QDir().mkpath(folder));
        const QString program = folder + "/Miselle";
        const QString marker = temp_->filePath("started");
        QVERIFY(writeFile(program, "#!/bin/sh\necho \"$#\" > '" + marker.toUtf8() + "'\n"));
        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(writeAutostartEntry("Miselle", program));

        QProcess launcher;
        launcher.setProcessChannelMode(QProcess::ForwardedChannels);
        launcher.start(gio, {"launch", entry_});
        QVERIFY(launcher.waitForFinished(10000));
        QCOMPARE(launcher.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(marker), QByteArray("0\n"), 5000);  // no arguments
    }

    // Like the settings and progress files: a link in place of the entry is
    // replaced by the entry, and whatever it points to stays as it was.
    void aLinkedEntryIsReplacedAndWhatItPointsToIsKept() {
        QVERIFY(QDir().mkpath(folder_));
        const QString elsewhere = temp_->filePath("shared.desktop");
        QVERIFY(writeFile(elsewhere, "[Desktop Entry]\nName=someone else's\n"));
        QVERIFY(QFile::link(elsewhere, entry_));
        QVERIFY(writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        QVERIFY(!QFileInfo(entry_).isSymLink());
        QVERIFY(readAll(entry_).contains("Exec=\"/opt/lorvane/Miselle\"\n"));
        QCOMPARE(readAll(elsewhere), QByteArray("[Desktop Entry]\nName=someone else's\n"));
    }

    void writingAgainReplacesTheEntry() {
        QVERIFY(writeAutostartEntry("Miselle", "/first/place/Miselle"));
        QVERIFY(writeAutostartEntry("Miselle", "/second/place/Miselle"));
        const QByteArray bytes = readAll(entry_);
        QVERIFY(bytes.contains("Exec=\"/second/place/Miselle\"\n"));
        QVERIFY(!bytes.contains("first"));
    }

    void aRelativeProgramPathIsRefused() {
        QVERIFY(!writeAutostartEntry("Miselle", "Miselle"));
        QVERIFY(!QFileInfo::exists(entry_));
    }

    void removeDeletesTheEntry() {
        QVERIFY(writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        QVERIFY(removeAutostartEntry("Miselle"));
        QVERIFY(!QFileInfo::exists(entry_));
        QVERIFY(!autostartEntryExists("Miselle"));
        QVERIFY(QFileInfo(folder_).isDir());  // the folder stays, other entries live there
    }

    void removingAMissingEntryIsNoFailure() {
        QVERIFY(removeAutostartEntry("Miselle"));
        QVERIFY(!QFileInfo::exists(configHome_));  // and creates nothing
    }

    void removeTouchesNoOtherEntry() {
        QVERIFY(QDir().mkpath(folder_));
        QVERIFY(writeFile(folder_ + "/other.desktop", "[Desktop Entry]\n"));
        QVERIFY(writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        QVERIFY(removeAutostartEntry("Miselle"));
        QCOMPARE(readAll(folder_ + "/other.desktop"), QByteArray("[Desktop Entry]\n"));
    }

    void writingFailsWhereTheFolderCannotBeMade() {
        QVERIFY(QDir().mkpath(configHome_));
        QVERIFY(writeFile(folder_, "a file where the folder should be"));
        QVERIFY(!writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        QVERIFY(!autostartEntryExists("Miselle"));
        QCOMPARE(readAll(folder_), QByteArray("a file where the folder should be"));
    }

    void writingAndRemovingFailWhereTheEntryIsAFolder() {
        QVERIFY(QDir().mkpath(entry_));
        QVERIFY(!writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        QVERIFY(!autostartEntryExists("Miselle"));
        QVERIFY(!removeAutostartEntry("Miselle"));
        QVERIFY(QFileInfo(entry_).isDir());
    }

    void aFullDiskKeepsTheOldEntry() {
        if (::geteuid() != 0) {
            QSKIP("mounting a small file system needs root");
        }
        const QString small = temp_->filePath("small");
        QVERIFY(QDir().mkpath(small));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", small}) != 0) {
            QSKIP("this machine does not let tests mount a tmpfs");
        }
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {small}); });
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(small));
        const QString entry = small + "/autostart/Miselle.desktop";
        QVERIFY(writeAutostartEntry("Miselle", "/opt/lorvane/Miselle"));
        const QByteArray before = readAll(entry);

        QFile filler(small + "/filler");  // takes every byte that is left
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        const QString longer = "/opt/" + QString(8000, QLatin1Char('x')) + "/Miselle";
        QVERIFY(!writeAutostartEntry("Miselle", longer));
        QCOMPARE(readAll(entry), before);
        QCOMPARE(QDir(small + "/autostart").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Miselle.desktop"});  // the temporary file is gone again
    }
};

QTEST_GUILESS_MAIN(AutostartEntryTest)
#include "autostart_entry_test.moc"
