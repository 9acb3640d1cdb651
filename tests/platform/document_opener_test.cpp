#include "platform/document_opener.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/platform/script_file.h"

using namespace lorvane::platform;

// A stand-in opener records what it is given; the real xdg-open is only
// checked for not holding the caller up, since what it does depends on the
// desktop (here: none).
class DocumentOpenerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QString folder_;
    QString document_;
    QString opener_;
    QString record_;

private slots:
    void init() {
        temp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(temp_->isValid());
        folder_ = temp_->filePath("我的 单词");
        QVERIFY(QDir().mkpath(folder_));
        document_ = folder_ + "/Lorvane说明.htm";
        QVERIFY(writeScript(document_, "<html></html>\n", false));
        record_ = temp_->filePath("opened");
        opener_ = temp_->filePath("opener");
        const QByteArray record = shellQuoted(record_);
        QVERIFY(writeScript(opener_,
                            "#!/bin/sh\n"
                            "printf '%s\\n' \"$#\" \"$@\" > " +
                                record +
                                ".tmp\n"
                                "mv " +
                                record + ".tmp " + record + "\n"));
    }
    void cleanup() { temp_.reset(); }

    void theDocumentIsHandedOverByItsFullPath() {
        QVERIFY(openDocument(document_, opener_));
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(record_), "1\n" + document_.toUtf8() + "\n", 5000);
    }

    void aRelativePathIsHandedOverInFull() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder_));
        const bool opened = openDocument("安装必读.htm", opener_);
        QVERIFY(writeScript(folder_ + "/安装必读.htm", "<html></html>\n", false));
        const bool openedWhenThere = openDocument("安装必读.htm", opener_);
        QDir::setCurrent(previous);
        QVERIFY(!opened);
        QVERIFY(openedWhenThere);
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(record_), "1\n" + folder_.toUtf8() + "/安装必读.htm\n",
                                  5000);
    }

    void aMissingDocumentIsNotHandedOver() {
        QVERIFY(!openDocument(folder_ + "/安装必读.htm", opener_));
        QVERIFY(!openDocument(folder_, opener_));  // a folder is no document
        QTest::qWait(300);
        QVERIFY(!QFileInfo::exists(record_));
    }

    void aMissingOpenerIsReported() {
        QVERIFY(!openDocument(document_, temp_->filePath("no-such-opener")));
    }

    void aSlowOpenerDoesNotHoldTheCallerUp() {
        const QString slow = temp_->filePath("slow");
        QVERIFY(writeScript(slow, "#!/bin/sh\nsleep 3\n"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(openDocument(document_, slow));
        QVERIFY2(timer.elapsed() < 1000, "openDocument waited for the opener");
    }

    void theDesktopOpenerNeverBlocks() {
        QElapsedTimer timer;
        timer.start();
        openDocument(document_);  // without a desktop it finds nothing to open with
        QVERIFY2(timer.elapsed() < 1000, "openDocument waited for xdg-open");
    }
};

QTEST_GUILESS_MAIN(DocumentOpenerTest)
#include "document_opener_test.moc"
