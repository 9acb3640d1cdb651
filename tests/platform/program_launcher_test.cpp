#include "platform/program_launcher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/platform/script_file.h"

using namespace lorvane::platform;

class ProgramLauncherTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QString folder_;  // a program folder as learners name them

private slots:
    void init() {
        temp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(temp_->isValid());
        folder_ = temp_->filePath("我的 单词");
        QVERIFY(QDir().mkpath(folder_));
    }
    void cleanup() { temp_.reset(); }

    void aMissingProgramIsNotStarted() { QVERIFY(!startProgram(folder_ + "/Miselle")); }

    void aFileThatIsNotExecutableIsNotStarted() {
        const QString marker = folder_ + "/started";
        QVERIFY(writeScript(folder_ + "/Miselle", "#!/bin/sh\ntouch " + shellQuoted(marker) + "\n",
                            false));
        QVERIFY(!startProgram(folder_ + "/Miselle"));
        QTest::qWait(300);
        QVERIFY(!QFileInfo::exists(marker));
    }

    void aFolderIsNotStarted() {
        QVERIFY(QDir().mkpath(folder_ + "/Miselle"));
        QVERIFY(!startProgram(folder_ + "/Miselle"));
    }

    void anExecutableTheSystemCannotRunIsReported() {
        // Executable, but neither a binary nor a script: the exec call fails.
        QVERIFY(writeScript(folder_ + "/Miselle", QByteArray("\x7f"
                                                             "ELF broken",
                                                             11)));
        QVERIFY(!startProgram(folder_ + "/Miselle"));
    }

    void aRelativePathIsRefused() { QVERIFY(!startProgram("true")); }

    void aRealProgramStarts() { QVERIFY(startProgram("/bin/true")); }

    // The stand-in companion records its arguments and working folder, then
    // keeps running until told to end: the call must return long before.
    void theProgramRunsDetachedWithoutArguments() {
        const QString program = folder_ + "/Miselle";
        const QByteArray dir = shellQuoted(folder_);
        QVERIFY(writeScript(program,
                            "#!/bin/sh\n"
                            "cd " +
                                dir +
                                " || exit 1\n"
                                "echo \"$# $PPID\" > started.tmp\n"
                                "pwd >> started.tmp\n"
                                "mv started.tmp started\n"
                                "i=0\n"
                                "while [ ! -e go ] && [ $i -lt 200 ]; do\n"
                                "    sleep 0.05; i=$((i+1))\n"
                                "done\n"
                                "touch ended\n"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(startProgram(program));
        QVERIFY2(timer.elapsed() < 1000, "startProgram waited for the program");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder_ + "/started"), 5000);
        const QList<QByteArray> lines = fileBytes(folder_ + "/started").split('\n');
        QCOMPARE(lines.size(), 3);
        const QList<QByteArray> countAndParent = lines[0].split(' ');
        QCOMPARE(countAndParent[0], QByteArray("0"));  // no arguments
        // Not our child: it lives on when the trainer ends.
        QVERIFY(countAndParent[1].toLongLong() != QCoreApplication::applicationPid());
        QCOMPARE(QString::fromUtf8(lines[1]), QFileInfo(folder_).canonicalFilePath());
        QVERIFY(!QFileInfo::exists(folder_ + "/ended"));  // still running
        QVERIFY(writeScript(folder_ + "/go", ""));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder_ + "/ended"), 5000);
    }
};

QTEST_GUILESS_MAIN(ProgramLauncherTest)
#include "program_launcher_test.moc"
