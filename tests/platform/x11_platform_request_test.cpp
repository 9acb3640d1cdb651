// The platform the programs start on, as a program of ours starts: the
// helper makes its application the way both main functions do.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

// "<platform Qt chose> <QT_QPA_PLATFORM left for the programs it starts>".
QString startWith(const QProcessEnvironment& environment) {
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.start(PLATFORM_TEST_HELPER, {"platform"});
    if (!helper.waitForFinished(20000) || helper.exitCode() != 0) {
        return "failed: " + QString::fromUtf8(helper.readAllStandardError());
    }
    return QString::fromUtf8(helper.readAllStandardOutput()).trimmed();
}

}  // namespace

class X11PlatformRequestTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            QSKIP("needs an X display (the test runner provides Xvfb)");
        }
    }

    // Without a choice the programs get X11; in a Wayland session that is
    // tried under a real compositor by tests/apps/wayland_session_test.sh.
    void withoutAChoiceTheProgramsAskForX11AndKeepTheRequestToThemselves() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        QCOMPARE(startWith(environment), QString("xcb -"));
        environment.insert("QT_QPA_PLATFORM", "");  // set, but to nothing
        QCOMPARE(startWith(environment), QString("xcb -"));
    }

    void theUsersChoiceStands() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        QCOMPARE(startWith(environment), QString("offscreen offscreen"));
        environment.insert("QT_QPA_PLATFORM", "minimal");
        QCOMPARE(startWith(environment), QString("minimal minimal"));
    }
};

QTEST_GUILESS_MAIN(X11PlatformRequestTest)
#include "x11_platform_request_test.moc"
