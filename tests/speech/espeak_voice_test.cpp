#include "speech/espeak_voice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/speech/recording_output.h"
#include "tests/speech/speech_measures.h"

using namespace lorvane::speech;

namespace {

// Two sounds whose speech lasts about as long.
bool roughlyEqual(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    return ::roughlyEqual(RecordingOutput::voicedLength(a), RecordingOutput::voicedLength(b));
}

}  // namespace

// Drives the real espeak-ng synthesiser; what would be played is captured by
// a RecordingOutput, so no audio server is needed.
class EspeakVoiceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EspeakVoice> voice_;
    RecordingOutput* output_ = nullptr;

    void waitUntilSpoken() { QVERIFY(output_->waitUntilSpoken(150)); }

    // Speaks `text` from a cleared log and returns all that was played.
    std::vector<std::int16_t> spoken(const std::string& text) {
        output_->calls.clear();
        voice_->speak(text);
        waitUntilSpoken();
        return output_->played();
    }
    std::size_t voicedLength(const std::string& text) {
        return RecordingOutput::voicedLength(spoken(text));
    }

    // Whether a library of this name is in this process's memory.
    static bool isLoaded(const char* library) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
    }

private slots:
    void init() {
        auto output = std::make_unique<RecordingOutput>();
        output_ = output.get();
        voice_ = EspeakVoice::create(std::move(output));
        QVERIFY2(voice_, "espeak-ng and its English voices must be installed");
    }
    void cleanup() { voice_.reset(); }

    // espeak-ng is loaded to list its voices and unloaded until it is first
    // needed; its audio library, which would bring in the audio server's
    // client libraries, is never loaded at all. (First in this file: the
    // engine lives for the process.)
    void espeakIsInMemoryOnlyOnceNeeded() {
        QVERIFY(voice_->voiceDescriptions().size() > 1);
        QVERIFY(!isLoaded("libespeak-ng"));
        QVERIFY(voicedLength("hello") > 0);
        QVERIFY(isLoaded("libespeak-ng"));
        QVERIFY(!isLoaded("libpcaudio"));
        QVERIFY(!isLoaded("libpulse"));
        QVERIFY(voicedLength("hello again") > 0);
    }

    void listsEnglishVoicesFirst() {
        const std::vector<std::string> voices = voice_->voiceDescriptions();
        QVERIFY(voices.size() > 1);
        QVERIFY(voices.front().find("English") != std::string::npos);
        QCOMPARE(voice_->voiceDescriptions(), voices);  // the same order every time
    }

    // French reads "hello" with a silent h and a short o.
    void theChosenVoiceSpeaks() {
        const std::vector<std::string> voices = voice_->voiceDescriptions();
        const auto french = std::find(voices.begin(), voices.end(), "French (France)");
        QVERIFY(french != voices.end());
        const std::size_t english = voicedLength("hello");
        QVERIFY(voice_->selectVoice(static_cast<int>(french - voices.begin())));
        QVERIFY(voicedLength("hello") < english * 3 / 4);
        QVERIFY(voice_->selectVoice(0));
        QVERIFY(roughlyEqual(voicedLength("hello"), english));
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

    // Every position of the rate slider sounds different, the ends too.
    void everyRateStepSpeaksAtItsOwnSpeed() {
        const std::string sentence = "the quick brown fox jumps over the lazy dog";
        QVERIFY(voice_->setRate(0));
        const std::size_t normal = voicedLength(sentence);
        std::size_t previous = 0;
        for (int rate = Voice::kMaxRate; rate >= Voice::kMinRate; --rate) {
            QVERIFY(voice_->setRate(rate));
            const std::size_t length = voicedLength(sentence);
            QVERIFY2(length > previous, qPrintable(QStringLiteral("rate %1").arg(rate)));
            previous = length;
            if (rate == 0) {
                QVERIFY(roughlyEqual(length, normal));
            }
        }
        QVERIFY2(previous > normal * 2, "rate -10 is well under half the speed");
    }

    void quieterVolumeSpeaksSofter() {
        const auto peak = [](const std::vector<std::int16_t>& samples) {
            int highest = 0;
            for (const std::int16_t s : samples) {
                highest = std::max(highest, std::abs(static_cast<int>(s)));
            }
            return highest;
        };
        const int full = peak(spoken("hello"));
        QVERIFY(voice_->setVolume(25));
        const int quiet = peak(spoken("hello"));
        QVERIFY(quiet > 0);
        QVERIFY(quiet < full / 2);
    }

    void markupIsInterpretedNotReadOut() {
        const std::size_t plain = voicedLength("hello");
        const std::size_t markup = voicedLength("<speak>hello</speak>");
        const std::size_t tagsReadOut = voicedLength("&lt;speak&gt;hello&lt;/speak&gt;");
        QVERIFY2(markup < plain * 5 / 4 && markup > plain * 3 / 4, "only the word is spoken");
        QVERIFY2(tagsReadOut > plain * 3 / 2, "escaped tags are text, and are read out");
    }

    // The synthesiser's markup can name a file, and runs a shell command to
    // convert it when it is a wave file of another rate; a file that is no
    // wave file at all crashes it. Such markup is dropped, the word stays.
    void markupThatNamesAFileRunsNothing() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString wave = folder.filePath(QStringLiteral("$(touch PWNED).wav"));
        QFile file(wave);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // RIFF header of 16-bit mono at 16 kHz, then a little sound.
        file.write(
            QByteArray::fromHex("52494646441100005741564566"
                                "6d74201000000001000100803e0000007d0000020010006461746120110000"));
        file.write(QByteArray(4384, '\x40'));
        file.close();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const std::size_t apple = voicedLength("apple");
        const std::size_t withAudio =
            voicedLength("<audio src=\"" + wave.toStdString() + "\"/>apple");
        const std::size_t withPasswd = voicedLength("<audio src=\"/etc/passwd\">x</audio>apple");
        QDir::setCurrent(previous);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("PWNED"))));
        QVERIFY(roughlyEqual(withAudio, apple));
        QVERIFY(withPasswd > apple);  // the element's own text is spoken
    }

    // espeak-ng begins a sentence with 12 ms of silence; the learner hears
    // the first sound at once.
    void speechBeginsWithSound() {
        for (const std::string text : {"apple", "The quick brown fox.", "<speak>Hello.</speak>"}) {
            const std::vector<std::int16_t> samples = spoken(text);
            QVERIFY(!samples.empty());
            QVERIFY2(samples.front() != 0, text.c_str());
        }
    }

    void speakReturnsAtOnce() {
        QElapsedTimer timer;
        timer.start();
        voice_->speak(std::string(50, 'a') + " long sentence to speak");
        QVERIFY(timer.elapsed() < 500);
    }

    void aNewTextCutsOffTheOneBeingSpoken() {
        const std::vector<std::int16_t> hello = spoken("hello");
        output_->calls.clear();

        // The long text is playing when the short one arrives: it is stopped
        // and the short one is played whole, from its beginning.
        voice_->speak("this sentence is rather long and takes a while to say");
        waitUntilSpoken();
        QVERIFY(output_->played().size() > hello.size() * 3);
        output_->calls.clear();
        voice_->speak("hello");
        waitUntilSpoken();
        QCOMPARE(output_->calls.front().what, std::string("stop"));
        QVERIFY(!output_->plays().front().afterCurrent);
        QVERIFY(roughlyEqual(output_->played(), hello));

        // Spoken straight after each other, only the second is ever heard.
        output_->calls.clear();
        voice_->speak("this sentence is rather long and takes a while to say");
        voice_->speak("hello");
        waitUntilSpoken();
        QVERIFY(roughlyEqual(output_->played(), hello));
    }

    // Spoken empty text stops what is being said and says nothing.
    void emptyTextOnlyStops() {
        voice_->speak("this sentence is rather long and takes a while to say");
        waitUntilSpoken();
        output_->calls.clear();
        voice_->speak("");
        QTest::qWait(200);
        QCOMPARE(output_->calls.size(), std::size_t{1});
        QCOMPARE(output_->calls.front().what, std::string("stop"));
    }

    void onlyOneVoiceAtATime() {
        QVERIFY(!EspeakVoice::create(std::make_unique<RecordingOutput>()));
    }
};

QTEST_GUILESS_MAIN(EspeakVoiceTest)
#include "espeak_voice_test.moc"
