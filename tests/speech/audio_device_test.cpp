#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "speech/espeak_voice.h"
#include "speech/qt_wave_audio.h"
#include "speech/sink_audio_output.h"

using namespace lorvane::speech;

namespace {
// The streams playing on the audio server, one line each.
int playingStreams() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
    pactl.waitForFinished(5000);
    return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

int peakOf(const QByteArray& recording) {
    const auto* samples = reinterpret_cast<const std::int16_t*>(recording.constData());
    const qsizetype count = recording.size() / 2;
    int peak = 0;
    for (qsizetype i = 0; i < count; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    return peak;
}
}  // namespace

// The real sound path: the voice plays through the audio server and the
// recorder records it again. Run under tests/with_pulseaudio.sh, whose
// default input is the monitor of its default output.
class AudioDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void recordsWhatTheVoiceSays() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        QtWaveAudio audio;
        audio.setFileName("new");
        audio.command("open");
        audio.command("record");
        // The first capture of a process loses its first second or so.
        QTest::qWait(2000);
        const int silence = peakOf(audio.recording());
        voice->speak("hello, this is what the learner hears");
        QTest::qWait(3000);
        audio.command("stop");

        const long recorded = audio.position();
        QVERIFY2(recorded > 1000, "the recording has a length");
        QVERIFY2(silence < 200, "nothing was heard before the voice spoke");
        QVERIFY2(peakOf(audio.recording()) > 2000, "the voice was recorded");

        // Playing the stretch runs by itself and reports its position.
        audio.setFrom(0);
        audio.setTo(recorded);
        audio.command("play");
        QTRY_VERIFY_WITH_TIMEOUT(audio.position() > 0 && audio.position() < recorded, 3000);
        audio.command("stop");

        audio.command("close");
        QCOMPARE(audio.position(), 0L);
    }

    // An open stream keeps the sound card awake and the program's thread
    // waking: once spoken or replayed, the sound leaves nothing open.
    void nothingStaysOpenOnceItHasPlayed() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        QCOMPARE(playingStreams(), 0);
        voice->speak("apple");
        QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 1, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 0, 3000);

        QtWaveAudio audio;
        audio.setFileName("new");
        audio.command("open");
        audio.command("record");
        QTest::qWait(1000);
        audio.command("stop");
        audio.setTo(audio.position());
        audio.command("play");
        QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 1, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 0, 3000);
    }

    void commandsOutOfOrderDoNothing() {
        QtWaveAudio audio;
        audio.command("record");  // not opened
        audio.command("play");
        QCOMPARE(audio.position(), 0L);
        audio.setFileName("lesson.wav");  // only new recordings are supported
        audio.command("open");
        audio.command("record");
        QTest::qWait(100);
        audio.command("stop");
        QCOMPARE(audio.position(), 0L);
    }

    void withoutAudioServerNothingBlocks() {
        if (qEnvironmentVariable("PULSE_SERVER") != "unix:/nonexistent") {
            QSKIP("run with PULSE_SERVER=unix:/nonexistent");
        }
        QElapsedTimer timer;
        timer.start();
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        voice->speak("nobody hears this");
        QtWaveAudio audio;
        audio.setFileName("new");
        audio.command("open");
        audio.command("record");
        QTest::qWait(300);
        audio.command("stop");
        audio.setTo(1000);
        audio.command("play");
        audio.command("close");
        QCOMPARE(audio.position(), 0L);
        QVERIFY(timer.elapsed() < 3000);
    }
};

QTEST_GUILESS_MAIN(AudioDeviceTest)
#include "audio_device_test.moc"
