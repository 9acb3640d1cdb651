#include <QTest>
#include <string>

#include "speech/espeak_voice.h"
#include "speech/qt_wave_audio.h"
#include "speech/sink_audio_output.h"
#include "tests/speech/monitor_recording.h"

using namespace lorvane::speech;

namespace {

QString describe(const std::vector<SoundRegion>& regions) {
    QString text;
    for (const SoundRegion& r : regions) {
        text += QStringLiteral(" %1+%2").arg(r.startMs).arg(r.lengthMs);
    }
    return text;
}

// How long "apple" sounds, and what is heard when a sentence is cut off by
// it after kCutAfterMs: the start of the sentence running straight into
// the whole word. A lost word leaves only the sentence's start; a sentence
// that was not cut off runs for seconds.
constexpr long kWordMinMs = 250;
constexpr long kWordMaxMs = 550;
constexpr int kCutAfterMs = 400;
constexpr long kCutPairMinMs = 620;
constexpr long kCutPairMaxMs = 1100;

}  // namespace

// The real sound path a learner hears, at a learner's pace: the voice and
// the recorder play through the private audio server of
// tests/with_pulseaudio.sh, and what reaches its output is recorded and cut
// into the stretches that were heard.
class SpeechEnduranceTest : public QObject {
    Q_OBJECT

private slots:
    // Thirty words: every other one is spoken alone and finishes; the rest
    // cut off a sentence that has just begun.
    void thirtyUtterancesAreAllHeard() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        MonitorRecording monitor;
        QVERIFY(monitor.start());
        constexpr int kRounds = 10;
        for (int i = 0; i < kRounds; ++i) {
            voice->speak("apple");
            QTest::qWait(1200);
            voice->speak("the quick brown fox jumps over the lazy dog");
            QTest::qWait(kCutAfterMs);
            voice->speak("apple");
            QTest::qWait(1400);
        }
        const std::vector<SoundRegion> heard = monitor.stop();
        const QString what = describe(heard);
        QVERIFY2(heard.size() == 2 * kRounds, qPrintable(what));
        for (std::size_t i = 0; i < heard.size(); i += 2) {
            QVERIFY2(heard[i].lengthMs >= kWordMinMs && heard[i].lengthMs <= kWordMaxMs,
                     qPrintable(what));
            QVERIFY2(
                heard[i + 1].lengthMs >= kCutPairMinMs && heard[i + 1].lengthMs <= kCutPairMaxMs,
                qPrintable(what));
        }
    }

    // The learner records the word, then plays the recording again and again.
    void aRecordingReplaysTenTimes() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        QtWaveAudio recorder;
        recorder.setFileName("new");
        recorder.command("open");
        recorder.command("record");
        // The test's audio server delivers the first captured sound late.
        QTRY_VERIFY_WITH_TIMEOUT(recorder.position() > 300, 5000);
        voice->speak("apple");
        QTest::qWait(1200);
        recorder.command("stop");
        const long recorded = recorder.position();
        QVERIFY(recorded > 1200);

        MonitorRecording monitor;
        QVERIFY(monitor.start());
        constexpr int kPlays = 10;
        recorder.setFrom(recorded - 1200);
        recorder.setTo(recorded);
        for (int i = 0; i < kPlays; ++i) {
            recorder.command("play");
            QTest::qWait(1700);
        }
        const std::vector<SoundRegion> heard = monitor.stop();
        const QString what = describe(heard);
        QVERIFY2(heard.size() == kPlays, qPrintable(what));
        for (const SoundRegion& region : heard) {
            QVERIFY2(region.lengthMs >= kWordMinMs && region.lengthMs <= kWordMaxMs,
                     qPrintable(what));
        }
    }
};

QTEST_GUILESS_MAIN(SpeechEnduranceTest)
#include "speech_endurance_test.moc"
