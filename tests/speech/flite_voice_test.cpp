#include "speech/flite_voice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "speech/flite_engine.h"
#include "speech/ipa_notation.h"
#include "tests/speech/recording_output.h"
#include "tests/speech/speech_measures.h"

using namespace lorvane::speech;

// Drives libflite's real voices; what would be played is captured by a
// RecordingOutput, so no audio server is needed.
class FliteVoiceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FliteVoice> voice_;
    RecordingOutput* output_ = nullptr;

    // Half a second of nothing new: on a busy machine flite's thread can
    // wait that long between two sentences of one text.
    void waitUntilSpoken() { QVERIFY(output_->waitUntilSpoken(500)); }

    std::vector<std::int16_t> spoken(const std::string& text) {
        output_->calls.clear();
        voice_->speak(text);
        waitUntilSpoken();
        return output_->played();
    }
    std::size_t voicedLength(const std::string& text) {
        return RecordingOutput::voicedLength(spoken(text));
    }

    // Whether the library of a voice is in this process's memory.
    static bool isLoaded(const char* voiceLibrary) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(voiceLibrary);
    }

    static std::string pronounced(const std::string& text) {
        return ipaOfCmuWords(FliteEngine::instance()->pronunciation(text));
    }

private slots:
    void init() {
        auto output = std::make_unique<RecordingOutput>();
        output_ = output.get();
        voice_ = FliteVoice::create(std::move(output));
        QVERIFY2(voice_, "libflite1 and its voices must be installed");
    }
    void cleanup() { voice_.reset(); }

    // Each voice is 1.7 MB: listed from the start, opened only once a text
    // is to be spoken with it, or a pronunciation is asked for and no voice
    // is open yet. (First in this file: the engine lives for the process.)
    void aVoiceIsOpenedWhenFirstNeeded() {
        QCOMPARE(voice_->voiceDescriptions().size(), std::size_t{3});
        QVERIFY(voice_->selectVoice(1));
        QVERIFY(!isLoaded("cmu_us_slt") && !isLoaded("cmu_us_rms") && !isLoaded("cmu_us_awb"));

        QVERIFY(RecordingOutput::voicedLength(spoken("Hello.")) > 0);
        QVERIFY(isLoaded("cmu_us_rms"));
        QCOMPARE(pronounced("apple"), std::string("ˈæpəl"));
        QVERIFY(!isLoaded("cmu_us_slt") && !isLoaded("cmu_us_awb"));
    }

    void listsTheNaturalVoices() {
        const std::vector<std::string> voices = voice_->voiceDescriptions();
        QCOMPARE(voices.size(), std::size_t{3});
        QVERIFY(voices[0].find("slt") != std::string::npos);
        QVERIFY(voices[1].find("rms") != std::string::npos);
        QVERIFY(voices[2].find("awb") != std::string::npos);
    }

    // slt is a woman's voice, rms and awb men's: the chosen one speaks.
    void theChosenVoiceSpeaks() {
        const std::string text = "a father and a mother are on the farm";
        QVERIFY(voice_->selectVoice(0));
        const double slt = medianPitch(spoken(text), FliteEngine::kSampleRate);
        QVERIFY(voice_->selectVoice(1));
        const double rms = medianPitch(spoken(text), FliteEngine::kSampleRate);
        QVERIFY(voice_->selectVoice(2));
        const double awb = medianPitch(spoken(text), FliteEngine::kSampleRate);
        const QString pitches = QStringLiteral("%1 %2 %3 Hz").arg(slt).arg(rms).arg(awb);
        QVERIFY2(slt > 1.3 * rms && slt > 1.2 * awb, qPrintable(pitches));
        QVERIFY2(rms > 60 && awb > 60, qPrintable(pitches));
        for (const RecordingOutput::Call& play : output_->plays()) {
            QCOMPARE(play.sampleRate, FliteEngine::kSampleRate);
        }
    }

    void selectingAVoiceOutsideTheListKeepsThePreviousOne() {
        QVERIFY(voice_->selectVoice(1));
        QVERIFY(!voice_->selectVoice(3));
        QVERIFY(!voice_->selectVoice(-1));
        QCOMPARE(voice_->selectedVoice(), 1);
        QVERIFY(!voice_->setRate(-11));
        QVERIFY(!voice_->setVolume(-1));
        QCOMPARE(voice_->rate(), 0);
        QCOMPARE(voice_->volume(), 100);
    }

    // Every position of the rate slider sounds different, as with
    // espeak-ng: the same 21 speeds, relative to each voice's own.
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
            if (rate == Voice::kMaxRate) {
                QVERIFY2(length * 2 < normal, "rate 10 is more than twice as fast");
            }
        }
        QVERIFY2(previous > normal * 2, "rate -10 is well under half the speed");
    }

    // Volume scales the samples: a quarter of the volume, a quarter of the
    // loudness, as espeak-ng's volume does.
    void volumeScalesTheSound() {
        const std::string word = "hello there";
        const double full = rootMeanSquare(spoken(word));
        QVERIFY(voice_->setVolume(25));
        const double quarter = rootMeanSquare(spoken(word));
        QVERIFY2(quarter > full * 0.18 && quarter < full * 0.32,
                 qPrintable(QStringLiteral("%1 of %2").arg(quarter).arg(full)));
        QVERIFY(voice_->setVolume(0));
        output_->calls.clear();
        voice_->speak(word);
        QTest::qWait(500);
        QVERIFY2(output_->plays().empty(), "at volume 0 nothing is played");
    }

    void markupIsInterpretedNotReadOut() {
        const std::size_t plain = voicedLength("hello");
        const std::size_t markup = voicedLength("<speak>hello</speak>");
        const std::size_t tagsReadOut = voicedLength("&lt;speak&gt;hello&lt;/speak&gt;");
        QVERIFY2(markup < plain * 5 / 4 && markup > plain * 3 / 4, "only the word is spoken");
        QVERIFY2(tagsReadOut > plain * 3 / 2, "escaped tags are text, and are read out");
    }

    // What a lesson may ask of the voice, as flite can do it.
    void markupShapesTheVoice() {
        const std::size_t hello = voicedLength("hello");
        const std::size_t slow = voicedLength("<prosody rate=\"x-slow\">hello</prosody>");
        QVERIFY2(slow > hello * 3 / 2, "a slow word lasts longer");
        const std::size_t fast = voicedLength("<prosody rate=\"x-fast\">hello</prosody>");
        QVERIFY2(fast < hello * 3 / 4, "a fast one less long");

        const double loud = rootMeanSquare(spoken("hello"));
        const double soft = rootMeanSquare(spoken("<prosody volume=\"soft\">hello</prosody>"));
        QVERIFY2(soft > loud * 0.35 && soft < loud * 0.65, "soft is half as loud");

        const std::size_t two = voicedLength("one two");
        const std::size_t paused = voicedLength("one <break time=\"1500ms\"/> two");
        QVERIFY2(paused > two + 1400 * FliteEngine::kSampleRate / 1000, "a break is a pause");

        const std::size_t cat = voicedLength("cat");
        const std::size_t spelt = voicedLength("<say-as interpret-as=\"characters\">cat</say-as>");
        QVERIFY2(spelt > cat * 2, "spelt letter by letter");

        const std::size_t alias = voicedLength("World Wide Web");
        const std::size_t sub = voicedLength("<sub alias=\"World Wide Web\">WWW</sub>");
        QVERIFY(sub > alias * 9 / 10 && sub < alias * 11 / 10);
    }

    // flite's own markup reader hangs on a slow rate keyword, crashes on an
    // unclosed end tag and opens the files it is given: it never sees the
    // markup, and the words are still spoken.
    void markupThatFlitesOwnReaderCannotTakeIsSpoken() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const std::size_t hello = voicedLength("hello");
        QVERIFY(voicedLength("hello </speak") > hello / 2);
        QVERIFY(voicedLength("<voice name=\"x.flitevox\">hello</voice>") > hello * 3 / 4);
        QVERIFY(voicedLength("<prosody rate=\"0\">hello</prosody>") > hello);
        const std::size_t withAudio = voicedLength("<audio src=\"/etc/passwd\">x</audio>apple");
        QDir::setCurrent(previous);
        QVERIFY(withAudio > voicedLength("apple"));  // the element's own text is spoken
        QVERIFY(withAudio < voicedLength("ex apple") * 5 / 4);
    }

    // flite begins every sentence with 0.2 s of silence, which is left out:
    // the learner hears the word at once.
    void speechBeginsWithSound() {
        for (const std::string text : {"apple", "The quick brown fox.", "<speak>Hello.</speak>"}) {
            const std::vector<std::int16_t> samples = spoken(text);
            const auto first = std::find_if(samples.begin(), samples.end(),
                                            [](std::int16_t s) { return std::abs(s) > 300; });
            QVERIFY2(first - samples.begin() < FliteEngine::kSampleRate / 10, text.c_str());
        }
    }

    // Texts that say nothing flite could read end what is being said and
    // play nothing.
    void textWithoutEnglishOnlyStops() {
        for (const std::string text : {"", "苹果", "  \r\n", "<break time=\"1s\"/>"}) {
            voice_->speak("this sentence is rather long and takes a while to say");
            waitUntilSpoken();
            output_->calls.clear();
            voice_->speak(text);
            QTest::qWait(300);
            QVERIFY2(!output_->calls.empty() && output_->calls.front().what == "stop",
                     text.c_str());
            if (text != "<break time=\"1s\"/>") {
                QVERIFY2(output_->plays().empty(), text.c_str());
            }
        }
        // Accents are dropped, not the letters.
        QVERIFY(roughlyEqual(voicedLength("café"), voicedLength("cafe")));
    }

    void aNewTextCutsOffTheOneBeingSpoken() {
        const std::vector<std::int16_t> hello = spoken("hello");
        const std::string paragraph =
            "This paragraph has several sentences. Each of them takes a while to say. "
            "The learner will not wait for all of them. He has moved on to the next word. "
            "So the voice must stop at once. And then say the new word from its beginning.";

        // The paragraph has begun when the word arrives: it stops, and the
        // word is played whole, from its beginning. How much of the paragraph
        // was handed over before that depends on how busy the machine is;
        // that none of it follows the stop does not.
        output_->calls.clear();
        voice_->speak(paragraph);
        QTRY_VERIFY_WITH_TIMEOUT(!output_->plays().empty(), 5000);
        voice_->speak("hello");
        waitUntilSpoken();
        const auto stop = std::find_if(output_->calls.begin() + 1, output_->calls.end(),
                                       [](const auto& call) { return call.what == "stop"; });
        QVERIFY(stop != output_->calls.end());
        const std::vector<RecordingOutput::Call> after(stop + 1, output_->calls.end());
        QVERIFY(!after.empty() && !after.front().afterCurrent);
        std::vector<std::int16_t> word;
        for (const auto& call : after) {
            word.insert(word.end(), call.samples.begin(), call.samples.end());
        }
        QVERIFY(roughlyEqual(RecordingOutput::voicedLength(word),
                             RecordingOutput::voicedLength(hello)));

        // Spoken straight after each other, only the second is ever heard.
        output_->calls.clear();
        voice_->speak(paragraph);
        voice_->speak("hello");
        waitUntilSpoken();
        QVERIFY(roughlyEqual(RecordingOutput::voicedLength(output_->played()),
                             RecordingOutput::voicedLength(hello)));
    }

    void speakReturnsAtOnce() {
        QElapsedTimer timer;
        timer.start();
        voice_->speak(std::string(50, 'a') + " long sentence to speak");
        QVERIFY(timer.elapsed() < 500);
    }

    // flite's pronouncing dictionary, in a learner's dictionary's IPA.
    void knownWordsArePronouncedAsTheDictionarySays() {
        QCOMPARE(pronounced("apple"), std::string("ˈæpəl"));
        QCOMPARE(pronounced("banana"), std::string("bəˈnænə"));
        QCOMPARE(pronounced("because"), std::string("bɪˈkɔz"));
        QCOMPARE(pronounced("thought"), std::string("ˈθɔt"));
        QCOMPARE(pronounced("Orange juice"), std::string("ˈɔɹəndʒ ˈdʒus"));
        QCOMPARE(pronounced("café"), std::string("kəˈfeɪ"));
        QCOMPARE(pronounced("苹果"), std::string());
    }

    // Looking words up beside the synthesis never mixes the two.
    void pronunciationsDuringSpeechStayRight() {
        const std::vector<std::string> words = {"apple", "vegetable", "necessary", "because"};
        std::vector<std::string> quiet;
        quiet.reserve(words.size());
        for (const std::string& word : words) {
            quiet.push_back(pronounced(word));
        }
        const std::string paragraph =
            "Speaking a long text on the engine's thread while the window looks words up on its "
            "own. Each sentence is analysed and then made into sound.";
        int lookUps = 0;
        for (int round = 0; round < 20; ++round) {
            voice_->speak(paragraph);
            QElapsedTimer timer;
            timer.start();
            while (timer.elapsed() < 50) {
                const std::size_t i = static_cast<std::size_t>(lookUps++) % words.size();
                QCOMPARE(pronounced(words[i]), quiet[i]);
            }
        }
        QVERIFY(lookUps > 100);
    }

    void onlyOneVoiceAtATime() {
        QVERIFY(!FliteVoice::create(std::make_unique<RecordingOutput>()));
    }
};

QTEST_GUILESS_MAIN(FliteVoiceTest)
#include "flite_voice_test.moc"
