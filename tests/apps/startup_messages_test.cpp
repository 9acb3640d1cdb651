#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <new>
#include <stdexcept>

#include "ui_support/startup_messages.h"

namespace {

struct Shown {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool onTop = false;
    bool selectable = false;
};

// Reads the message box that `show` brings up, then answers it with OK.
Shown shownBy(const std::function<void()>& show) {
    Shown shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        shown = {box->windowTitle(),
                 box->text(),
                 box->icon(),
                 box->standardButtons(),
                 box->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                 box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse)};
        box->button(QMessageBox::Ok)->click();
    });
    show();
    return shown;
}

}  // namespace

class StartupMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void missingSpeechIsReportedBeforeTheNotesOpen() {
        QStringList opened;
        QStringList openedWhileAsking;
        const Shown shown = shownBy([&] {
            QTimer::singleShot(0, [&] { openedWhileAsking = opened; });
            lorvane::ui::reportMissingSpeech(QStringLiteral("Lorvane"), QStringLiteral("/程序"),
                                             [&opened](const QString& path) {
                                                 opened << path;
                                                 return true;
                                             });
        });
        QCOMPARE(shown.title, QStringLiteral("Lorvane"));
        QCOMPARE(
            shown.text,
            QStringLiteral("您机器里没有安装espeak-ng语音系统的英文语音，所以无法播放英文读音，"
                           "请参照说明下载相应的语音包。\r\n"
                           "安装完成后，再运行桌面上Lorvane快捷方式。"));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(shown.onTop);
        QVERIFY(shown.selectable);
        QVERIFY(openedWhileAsking.isEmpty());
        QCOMPARE(opened, QStringList{QStringLiteral("/程序/安装必读.htm")});
    }

    // Any other failure says what it is, never that speech is missing.
    void otherFailuresSayWhatWentWrong() {
        const Shown memory = shownBy(
            [] { lorvane::ui::reportStartFailure(QStringLiteral("Miselle"), std::bad_alloc()); });
        QCOMPARE(memory.title, QStringLiteral("Miselle"));
        QVERIFY(memory.text.contains(QStringLiteral("内存不足")));
        QCOMPARE(memory.icon, QMessageBox::Critical);
        QCOMPARE(memory.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        const Shown other = shownBy([] {
            lorvane::ui::reportStartFailure(QStringLiteral("Lorvane"),
                                            std::runtime_error("cannot read the lesson list"));
        });
        QCOMPARE(other.title, QStringLiteral("Lorvane"));
        QVERIFY(other.text.startsWith(QStringLiteral("Lorvane启动时出错")));
        QVERIFY(other.text.contains(QStringLiteral("cannot read the lesson list")));

        for (const Shown& shown : {memory, other}) {
            QVERIFY(!shown.text.contains(QStringLiteral("语音")));
            QVERIFY(shown.onTop);
        }
    }
};

QTEST_MAIN(StartupMessagesTest)
#include "startup_messages_test.moc"
