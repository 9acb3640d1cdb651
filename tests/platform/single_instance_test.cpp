#include "platform/single_instance.h"

#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/platform/helper_process.h"

using namespace lorvane::platform;

// Each test runs under a runtime folder of its own; the helper process
// inherits it through the environment, as a second start would.
class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> runtime_;
    const QString name_ = QStringLiteral("Miselle");

private slots:
    void init() {
        runtime_ = std::make_unique<QTemporaryDir>();  // made with mode 0700, as it must be
        QVERIFY(runtime_->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
    }
    void cleanup() {
        qunsetenv("XDG_RUNTIME_DIR");
        runtime_.reset();
    }

    void lockLivesInTheRuntimeFolder() {
        QCOMPARE(SingleInstance::lockFilePath(name_), runtime_->path() + "/Miselle.lock");
        const SingleInstance instance(name_);
        QVERIFY(instance.isOnlyInstance());
        QVERIFY(QFileInfo::exists(runtime_->path() + "/Miselle.lock"));
    }

    void withoutRuntimeFolderTheLockGoesToTheTemporaryFolder() {
        // Qt falls back from a bad XDG_RUNTIME_DIR to "<temp>/runtime-<user>"
        // and gives up only when that is unusable too: a file in its place.
        const QByteArray tmpdir = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmpdir); });
        qputenv("TMPDIR", QFile::encodeName(runtime_->path()));
        qputenv("XDG_RUNTIME_DIR", "relative/not/usable");
        const QString user = qEnvironmentVariable("USER", "root");
        QFile blocker(runtime_->filePath("runtime-" + user));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).isEmpty());

        const QString expected =
            runtime_->path() + "/Miselle-" + QString::number(::getuid()) + ".lock";
        QCOMPARE(SingleInstance::lockFilePath(name_), expected);
        const SingleInstance instance(name_);
        QVERIFY(instance.isOnlyInstance());
        QVERIFY(QFileInfo::exists(expected));
    }

    void secondStartInAnotherProcessFindsTheLockTaken() {
        const SingleInstance first(name_);
        QVERIFY(first.isOnlyInstance());
        HelperProcess second({"lock", name_});
        QCOMPARE(second.answer(), QString("busy"));
        QCOMPARE(second.release(), 1);
    }

    void secondLockInTheSameProcessFails() {
        const SingleInstance first(name_);
        const SingleInstance second(name_);
        QVERIFY(first.isOnlyInstance());
        QVERIFY(!second.isOnlyInstance());
    }

    void theLockIsReleasedWhenTheObjectDies() {
        {
            const SingleInstance first(name_);
            QVERIFY(first.isOnlyInstance());
        }
        QVERIFY(!QFileInfo::exists(SingleInstance::lockFilePath(name_)));
        HelperProcess next({"lock", name_});
        QCOMPARE(next.answer(), QString("locked"));
        QCOMPARE(next.release(), 0);
    }

    void theLockOfARunningInstanceHoldsUntilItEnds() {
        HelperProcess running({"lock", name_});
        QCOMPARE(running.answer(), QString("locked"));
        QVERIFY(!SingleInstance(name_).isOnlyInstance());
        QCOMPARE(running.release(), 0);
        QVERIFY(SingleInstance(name_).isOnlyInstance());
    }

    // The companion runs for days: however old its lock, it holds.
    void aLongRunningInstanceKeepsItsLock() {
        HelperProcess running({"lock", name_});
        QCOMPARE(running.answer(), QString("locked"));
        QFile lock(SingleInstance::lockFilePath(name_));
        QVERIFY(lock.open(QIODevice::ReadWrite | QIODevice::ExistingOnly));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QVERIFY(!SingleInstance(name_).isOnlyInstance());
        QCOMPARE(running.release(), 0);
    }

    void aKilledInstanceDoesNotBlockTheNextStart() {
        HelperProcess crashed({"lock", name_});
        QCOMPARE(crashed.answer(), QString("locked"));
        QVERIFY(!SingleInstance(name_).isOnlyInstance());
        QVERIFY(crashed.killHard());
        // The killed process could not remove its lock file.
        QVERIFY(QFileInfo::exists(SingleInstance::lockFilePath(name_)));
        const SingleInstance next(name_);
        QVERIFY(next.isOnlyInstance());
    }

    void programsDoNotBlockEachOther() {
        const SingleInstance companion(name_);
        HelperProcess trainer({"lock", "Lorvane"});
        QVERIFY(companion.isOnlyInstance());
        QCOMPARE(trainer.answer(), QString("locked"));
        QCOMPARE(trainer.release(), 0);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
