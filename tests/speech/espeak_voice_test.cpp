#include "espeak_voice.h"

#include <QElapsedTimer>
#include <QTest>

#include "recording_output.h"

// Drives the real espeak-ng synthesiser; what would be played is captured by
// a RecordingOutput, so no audio server is needed.
class EspeakVoiceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EspeakVoice> voice_;
    RecordingOutput* output_ = nullptr;

    // Lets finished utterances reach the output; synthesis is far faster
    // than real time, so this returns within milliseconds.
    void waitForPlays(std::size_t count) {
        QTRY_VERIFY_WITH_TIMEOUT(output_->plays().size() >= count, 10000);
    }

    RecordingOutput::Call speakAndWait(const std::string& text, int flags = Voice::kSpeakFlags) {
        const std::size_t before = output_->plays().size();
        voice_->speak(text, flags);
        waitForPlays(before + 1);
        return output_->plays().back();
    }
    std::size_t spokenLength(const std::string& text, int flags = Voice::kSpeakFlags) {
        return speakAndWait(text, flags).samples;
    }
    std::size_t voicedLength(const std::string& text, int flags = Voice::kSpeakFlags) {
        return speakAndWait(text, flags).voiced;
    }

private slots:
    void init() {
        auto output = std::make_unique<RecordingOutput>();
        output_ = output.get();
        voice_ = EspeakVoice::create(std::move(output));
        QVERIFY2(voice_, "espeak-ng and its voice data must be installed");
    }
    void cleanup() { voice_.reset(); }

    void listsEnglishVoicesFirst() {
        const std::vector<std::string> voices = voice_->voiceDescriptions();
        QVERIFY(voices.size() > 1);
        QVERIFY(voices.front().find("English") != std::string::npos);
        QCOMPARE(voice_->voiceDescriptions(), voices);  // the same order every time
    }

    void selectingAVoiceOutsideTheListKeepsThePreviousOne() {
        QVERIFY(voice_->selectVoice(1));
        QCOMPARE(voice_->selectedVoice(), 1);
        const int count = static_cast<int>(voice_->voiceDescriptions().size());
        QVERIFY(!voice_->selectVoice(count));
        QVERIFY(!voice_->selectVoice(-1));
        QCOMPARE(voice_->selectedVoice(), 1);
    }

    void rateAndVolumeStayInTheirRanges() {
        QVERIFY(voice_->setRate(-10));
        QVERIFY(voice_->setRate(10));
        QVERIFY(!voice_->setRate(11));
        QCOMPARE(voice_->rate(), 10);
        QVERIFY(voice_->setVolume(0));
        QVERIFY(!voice_->setVolume(101));
        QCOMPARE(voice_->volume(), 0);
    }

    void fasterRateSpeaksInLessTime() {
        const std::size_t normal = spokenLength("the quick brown fox jumps over the lazy dog");
        voice_->setRate(10);
        const std::size_t fast = spokenLength("the quick brown fox jumps over the lazy dog");
        voice_->setRate(-10);
        const std::size_t slow = spokenLength("the quick brown fox jumps over the lazy dog");
        QVERIFY2(fast * 2 < normal, "rate 10 is about three times as fast");
        QVERIFY2(slow > normal * 2, "rate -10 is about a third of the speed");
    }

    void markupIsInterpretedNotReadOut() {
        const std::size_t plain = voicedLength("hello");
        const std::size_t markup = voicedLength("<speak>hello</speak>");
        const std::size_t tagsReadOut =
            voicedLength("<speak>hello</speak>", Voice::kAsync | Voice::kPurgeBeforeSpeak);
        QVERIFY2(markup < plain * 5 / 4 && markup > plain * 3 / 4,
                 "with the XML flag only the word is spoken");
        QVERIFY2(tagsReadOut > plain * 3 / 2, "without it the tags are read out");
    }

    void speakReturnsAtOnce() {
        QElapsedTimer timer;
        timer.start();
        voice_->speak(std::string(50, 'a') + " long sentence to speak", Voice::kSpeakFlags);
        QVERIFY(timer.elapsed() < 500);
    }

    void aNewTextCutsOffTheOneBeingSpoken() {
        const std::size_t shortLength = voicedLength("hello");
        auto isWholeHello = [shortLength](const RecordingOutput::Call& call) {
            return call.what == "play" && call.voiced > shortLength * 9 / 10 &&
                   call.voiced < shortLength * 11 / 10;
        };
        output_->calls.clear();

        // The long text is playing when the short one arrives: it is stopped
        // and the short one is played whole, from its beginning.
        const std::string longText = "this sentence is rather long and takes a while to say";
        voice_->speak(longText, Voice::kSpeakFlags);
        waitForPlays(1);
        QVERIFY(output_->plays().front().voiced > shortLength * 3);
        voice_->speak("hello", Voice::kSpeakFlags);
        waitForPlays(2);
        const auto& calls = output_->calls;
        QVERIFY(isWholeHello(calls.back()));
        QCOMPARE(calls[calls.size() - 2].what, std::string("stop"));

        // Spoken straight after each other, only the second is ever heard.
        output_->calls.clear();
        voice_->speak(longText, Voice::kSpeakFlags);
        voice_->speak("hello", Voice::kSpeakFlags);
        waitForPlays(1);
        QTest::qWait(200);
        QCOMPARE(output_->plays().size(), std::size_t{1});
        QVERIFY(isWholeHello(output_->plays().front()));
    }

    void withoutPurgeTheNextTextWaitsItsTurn() {
        voice_->speak("one", Voice::kAsync);
        voice_->speak("two", Voice::kAsync);
        waitForPlays(2);
        QVERIFY(output_->plays()[1].afterCurrent);
        for (const auto& call : output_->calls) {
            QVERIFY(call.what != "stop");
        }
    }

    void onlyOneVoiceAtATime() {
        QVERIFY(!EspeakVoice::create(std::make_unique<RecordingOutput>()));
    }
};

QTEST_GUILESS_MAIN(EspeakVoiceTest)
#include "espeak_voice_test.moc"
