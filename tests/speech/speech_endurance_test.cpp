#include <QTest>
#include <string>

#include "speech/combined_voice.h"
#include "speech/espeak_voice.h"
#include "speech/flite_voice.h"
#include "speech/qt_recorder.h"
#include "speech/sink_audio_output.h"
#include "tests/speech/monitor_recording.h"
#include "tests/speech/speech_measures.h"

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
struct HeardLengths {
    long wordMinMs;
    long wordMaxMs;
    long cutPairMinMs;
    long cutPairMaxMs;
};
constexpr HeardLengths kEspeak = {250, 550, 620, 1100};
constexpr HeardLengths kNatural = {400, 800, 750, 1350};
constexpr int kCutAfterMs = 400;

// Stretches heard less than `gapMs` apart, as one: a slow or quiet voice
// falls silent between its words.
std::vector<SoundRegion> joinedUp(const std::vector<SoundRegion>& regions, long gapMs) {
    std::vector<SoundRegion> joined;
    for (const SoundRegion& r : regions) {
        if (!joined.empty() &&
            r.startMs - (joined.back().startMs + joined.back().lengthMs) < gapMs) {
            joined.back().lengthMs = r.startMs + r.lengthMs - joined.back().startMs;
        } else {
            joined.push_back(r);
        }
    }
    return joined;
}

bool within(const SoundRegion& region, long minMs, long maxMs) {
    return region.lengthMs >= minMs && region.lengthMs <= maxMs;
}

}  // namespace

// The real sound path a learner hears, at a learner's pace: the voice and
// the recorder play through the private audio server of
// tests/with_pulseaudio.sh, and what reaches its output is recorded and cut
// into the stretches that were heard.
class SpeechEnduranceTest : public QObject {
    Q_OBJECT

    // Thirty words: every other one is spoken alone and finishes; the rest
    // cut off a sentence that has just begun.
    static void hearThirtyUtterances(Voice& voice, const HeardLengths& lengths) {
        MonitorRecording monitor;
        QVERIFY(monitor.start());
        constexpr int kRounds = 10;
        for (int i = 0; i < kRounds; ++i) {
            voice.speak("apple");
            QTest::qWait(1200);
            voice.speak("the quick brown fox jumps over the lazy dog");
            QTest::qWait(kCutAfterMs);
            voice.speak("apple");
            QTest::qWait(1400);
        }
        const std::vector<SoundRegion> heard = monitor.stop();
        const QString what = describe(heard);
        QVERIFY2(heard.size() == 2 * kRounds, qPrintable(what));
        for (std::size_t i = 0; i < heard.size(); i += 2) {
            QVERIFY2(within(heard[i], lengths.wordMinMs, lengths.wordMaxMs), qPrintable(what));
            QVERIFY2(within(heard[i + 1], lengths.cutPairMinMs, lengths.cutPairMaxMs),
                     qPrintable(what));
        }
    }

private slots:
    void thirtyUtterancesAreAllHeard() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        hearThirtyUtterances(*voice, kEspeak);
    }

    void thirtyUtterancesOfANaturalVoiceAreAllHeard() {
        auto voice = FliteVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        hearThirtyUtterances(*voice, kNatural);
    }

    // Twenty words, by a natural voice and an espeak-ng voice in turn, each
    // cutting off a sentence of the other: every one is heard, whole.
    void bothSynthesisersInTurnAreAllHeard() {
        auto voice = CombinedVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        const int espeak = voice->naturalVoiceCount();
        QVERIFY(espeak > 0);
        MonitorRecording monitor;
        QVERIFY(monitor.start());
        constexpr int kRounds = 10;
        for (int i = 0; i < kRounds; ++i) {
            QVERIFY(voice->selectVoice(0));
            voice->speak("the quick brown fox jumps over the lazy dog");
            QTest::qWait(kCutAfterMs);
            QVERIFY(voice->selectVoice(espeak));
            voice->speak("apple");
            QTest::qWait(1400);
            voice->speak("the quick brown fox jumps over the lazy dog");
            QTest::qWait(kCutAfterMs);
            QVERIFY(voice->selectVoice(0));
            voice->speak("apple");
            QTest::qWait(1400);
        }
        const std::vector<SoundRegion> heard = monitor.stop();
        const QString what = describe(heard);
        QVERIFY2(heard.size() == 2 * kRounds, qPrintable(what));
        for (std::size_t i = 0; i < heard.size(); i += 2) {
            QVERIFY2(within(heard[i], kEspeak.cutPairMinMs, kEspeak.cutPairMaxMs),
                     qPrintable(what));
            QVERIFY2(within(heard[i + 1], kNatural.cutPairMinMs, kNatural.cutPairMaxMs),
                     qPrintable(what));
        }
    }

    // The rate and the volume as the learner hears them, for a natural
    // voice and an espeak-ng one: rate 10 takes well under half the time
    // of rate 0 (its speed is 2.6 times as high), rate -10 over 1.7 times as
    // long (0.46 times the speed; the pauses around the words grow less);
    // volume 25 sounds at about a quarter of volume 100.
    void rateAndVolumeAreHeard() {
        auto voice = CombinedVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        const std::string sentence = "the quick brown fox jumps over the lazy dog";
        for (const int index : {0, voice->naturalVoiceCount()}) {
            QVERIFY(voice->selectVoice(index));
            MonitorRecording monitor;
            QVERIFY(monitor.start());
            for (const auto& [rate, volume] : {std::pair{0, 100}, {10, 100}, {-10, 100}, {0, 25}}) {
                QVERIFY(voice->setRate(rate));
                QVERIFY(voice->setVolume(volume));
                voice->speak(sentence);
                QTest::qWait(rate < 0 ? 8000 : 4000);
            }
            const std::vector<SoundRegion> heard = joinedUp(monitor.stop(), 700);
            const QString what = QStringLiteral("voice %1:").arg(index) + describe(heard);
            QVERIFY2(heard.size() == 4, qPrintable(what));
            QVERIFY2(heard[1].lengthMs * 2 < heard[0].lengthMs, qPrintable(what));
            QVERIFY2(heard[2].lengthMs * 10 > heard[0].lengthMs * 17, qPrintable(what));
            // Over the same stretch of each: the quiet one's softest sounds
            // are not heard at all.
            const auto firstSecond = [](SoundRegion r) {
                r.lengthMs = 1000;
                return r;
            };
            const double full = rootMeanSquare(monitor.samplesOf(firstSecond(heard[0])));
            const double quarter = rootMeanSquare(monitor.samplesOf(firstSecond(heard[3])));
            QVERIFY2(
                quarter > full * 0.15 && quarter < full * 0.35,
                qPrintable(what + QStringLiteral(" loudness %1 of %2").arg(quarter).arg(full)));
        }
    }

    // The learner records the word, then plays the recording again and again.
    void aRecordingReplaysTenTimes() {
        auto voice = EspeakVoice::create(std::make_unique<SinkAudioOutput>());
        QVERIFY(voice);
        QtRecorder recorder;
        recorder.startRecording();
        // The test's audio server delivers the first captured sound late.
        QTRY_VERIFY_WITH_TIMEOUT(recorder.position() > 300, 5000);
        voice->speak("apple");
        QTest::qWait(1200);
        recorder.stopRecording();
        const long recorded = recorder.position();
        QVERIFY(recorded > 1200);

        MonitorRecording monitor;
        QVERIFY(monitor.start());
        constexpr int kPlays = 10;
        for (int i = 0; i < kPlays; ++i) {
            recorder.play(recorded - 1200, recorded);
            QTest::qWait(1700);
        }
        const std::vector<SoundRegion> heard = monitor.stop();
        const QString what = describe(heard);
        QVERIFY2(heard.size() == kPlays, qPrintable(what));
        for (const SoundRegion& region : heard) {
            QVERIFY2(within(region, kEspeak.wordMinMs, kEspeak.wordMaxMs), qPrintable(what));
        }
    }
};

QTEST_GUILESS_MAIN(SpeechEnduranceTest)
#include "speech_endurance_test.moc"
