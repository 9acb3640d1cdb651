#pragma once

#include <signal.h>

#include <QProcess>
#include <QString>
#include <QStringList>

// platform_test_helper running in its own process: started with its
// arguments, it answers with one line, then holds what it took until it is
// released (its standard input closed) or killed.
class HelperProcess {
public:
    explicit HelperProcess(const QStringList& arguments) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(PLATFORM_TEST_HELPER), arguments);
    }
    ~HelperProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // The helper's answer ("locked", "grabbed", "busy"), or "" when it gave
    // none within five seconds.
    QString answer() {
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

    // Lets it end normally; returns its exit code, or -1 when it hung.
    int release() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    // Kills it the hard way, as a crash would end it: no clean-up runs.
    // Waits until it has ended.
    bool killHard() {
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        return process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};
