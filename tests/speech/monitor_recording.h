#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/speech/sound_regions.h"

// Records what reaches the private audio server's output (the monitor of
// the null sink that tests/with_pulseaudio.sh sets up) with parecord, so a
// test hears what a learner would have heard.
class MonitorRecording {
public:
    static constexpr int kRate = 16000;

    // Starts recording and returns once sound is being captured.
    bool start() {
        if (!folder_.isValid()) {
            return false;
        }
        file_ = folder_.filePath(QStringLiteral("monitor.raw"));
        parecord_.start(
            QStringLiteral("parecord"),
            {QStringLiteral("--latency-msec=20"), QStringLiteral("--device=vsink.monitor"),
             QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
             QStringLiteral("--rate=16000"), QStringLiteral("--channels=1"), file_});
        if (!parecord_.waitForStarted(5000)) {
            return false;
        }
        // The stream is running once its first samples are on disk; a
        // little more keeps its start-up well clear of the first utterance.
        QElapsedTimer waited;
        waited.start();
        while (QFile(file_).size() == 0) {
            if (waited.elapsed() > 5000 || parecord_.state() != QProcess::Running) {
                return false;
            }
            QTest::qWait(20);
        }
        QTest::qWait(500);
        return true;
    }

    // Stops recording and returns the stretches that were heard.
    std::vector<SoundRegion> stop() {
        parecord_.terminate();
        parecord_.waitForFinished(5000);
        QFile file(file_);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        const QByteArray bytes = file.readAll();
        std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size() / 2));
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return soundRegions(samples, kRate);
    }

private:
    QTemporaryDir folder_;
    QString file_;
    QProcess parecord_;
};
