#include "speech/combined_voice.h"

#include <QTest>

#include "speech/espeak_engine.h"
#include "speech/flite_engine.h"
#include "tests/speech/recording_output.h"
#include "tests/speech/speech_measures.h"

using namespace lorvane::speech;

// Both real synthesisers behind the one voice the programs use; what would
// be played is captured by a RecordingOutput.
class CombinedVoiceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CombinedVoice> voice_;
    RecordingOutput* output_ = nullptr;
    int natural_ = 0;  // flite's voices, first in the list

    // As for flite's own voice: half a second of nothing new.
    void waitUntilSpoken() { QVERIFY(output_->waitUntilSpoken(500)); }

    std::vector<RecordingOutput::Call> spoken(const std::string& text) {
        output_->calls.clear();
        voice_->speak(text);
        waitUntilSpoken();
        return output_->plays();
    }

    static std::vector<std::int16_t> joined(const std::vector<RecordingOutput::Call>& plays) {
        std::vector<std::int16_t> all;
        for (const auto& play : plays) {
            all.insert(all.end(), play.samples.begin(), play.samples.end());
        }
        return all;
    }

    // The rate of what was played: which synthesiser spoke.
    static int sampleRateOf(const std::vector<RecordingOutput::Call>& plays) {
        int rate = 0;
        for (const auto& play : plays) {
            if (rate != 0 && play.sampleRate != rate) {
                return -1;
            }
            rate = play.sampleRate;
        }
        return rate;
    }

private slots:
    void init() {
        auto output = std::make_unique<RecordingOutput>();
        output_ = output.get();
        voice_ = CombinedVoice::create(std::move(output));
        QVERIFY2(voice_, "espeak-ng and libflite1 must be installed");
        natural_ = voice_->naturalVoiceCount();
        QCOMPARE(natural_, 3);
    }
    void cleanup() { voice_.reset(); }

    // The natural voices, then espeak-ng's English ones, then the rest:
    // the same list every time.
    void listsNaturalVoicesFirstThenEnglishThenTheRest() {
        const std::vector<std::string> voices = voice_->voiceDescriptions();
        const auto& espeak = EspeakEngine::instance()->voices();
        QCOMPARE(voices.size(), std::size_t(natural_) + espeak.size());
        for (int i = 0; i < natural_; ++i) {
            QCOMPARE(voices[std::size_t(i)],
                     FliteEngine::instance()->voices()[std::size_t(i)].description);
        }
        QCOMPARE(voices[std::size_t(natural_)], std::string("English (America)"));
        bool englishOver = false;
        for (std::size_t i = std::size_t(natural_); i < voices.size(); ++i) {
            QCOMPARE(voices[i], espeak[i - std::size_t(natural_)].description);
            const bool english = voices[i].starts_with("English");
            QVERIFY2(!(english && englishOver), voices[i].c_str());
            englishOver = englishOver || !english;
        }
        QCOMPARE(voice_->voiceDescriptions(), voices);
    }

    // The n-th voice of the list speaks; until one is chosen, the first.
    void theVoiceAtEachPositionSpeaks() {
        QCOMPARE(voice_->selectedVoice(), -1);
        QCOMPARE(sampleRateOf(spoken("apple")), FliteEngine::kSampleRate);
        QVERIFY(voice_->selectVoice(natural_));
        QCOMPARE(voice_->selectedVoice(), natural_);
        QCOMPARE(sampleRateOf(spoken("apple")), 22050);
        QVERIFY(voice_->selectVoice(1));
        const double rms = medianPitch(joined(spoken("a father and a mother")), 16000);
        QVERIFY(voice_->selectVoice(0));
        const double slt = medianPitch(joined(spoken("a father and a mother")), 16000);
        QVERIFY2(slt > 1.3 * rms, "slt's voice is higher than rms's");
    }

    // A stored index from a machine with more voices changes nothing.
    void anIndexBeyondTheListKeepsTheVoice() {
        const int count = static_cast<int>(voice_->voiceDescriptions().size());
        QVERIFY(voice_->selectVoice(natural_ + 1));
        QVERIFY(!voice_->selectVoice(count));
        QVERIFY(!voice_->selectVoice(32767));
        QVERIFY(!voice_->selectVoice(-1));
        QCOMPARE(voice_->selectedVoice(), natural_ + 1);
        QVERIFY(voice_->selectVoice(count - 1));
        QCOMPARE(sampleRateOf(spoken("apple")), 22050);
    }

    // Going from one synthesiser to the other, the first falls silent at
    // once: only the new word is heard.
    void theOtherSynthesiserIsCutOff() {
        const std::string paragraph =
            "This paragraph has several sentences. Each of them takes a while to say. "
            "The learner will not wait for all of them.";
        for (const int from : {0, natural_}) {
            const int to = from == 0 ? natural_ : 0;
            QVERIFY(voice_->selectVoice(to));
            const std::size_t word = RecordingOutput::voicedLength(joined(spoken("apple")));
            QVERIFY(voice_->selectVoice(from));
            output_->calls.clear();
            voice_->speak(paragraph);
            QTRY_VERIFY_WITH_TIMEOUT(!output_->plays().empty(), 5000);
            QVERIFY(voice_->selectVoice(to));
            voice_->speak("apple");
            QTest::qWait(1500);
            const auto lastStop = std::find_if(output_->calls.rbegin(), output_->calls.rend(),
                                               [](const auto& c) { return c.what == "stop"; });
            QVERIFY(lastStop != output_->calls.rend());
            const std::vector<RecordingOutput::Call> after(lastStop.base(), output_->calls.end());
            QCOMPARE(sampleRateOf(after), to == 0 ? FliteEngine::kSampleRate : 22050);
            QVERIFY(roughlyEqual(RecordingOutput::voicedLength(joined(after)), word));
        }
    }

    void rateAndVolumeReachEveryVoice() {
        for (const int index : {0, natural_}) {
            QVERIFY(voice_->selectVoice(index));
            QVERIFY(voice_->setRate(0));
            QVERIFY(voice_->setVolume(100));
            const auto normal = joined(spoken("the quick brown fox"));
            QVERIFY(voice_->setRate(10));
            QVERIFY(voice_->setVolume(50));
            const auto fastQuiet = joined(spoken("the quick brown fox"));
            QVERIFY(RecordingOutput::voicedLength(fastQuiet) * 2 <
                    RecordingOutput::voicedLength(normal));
            QVERIFY(rootMeanSquare(fastQuiet) < rootMeanSquare(normal) * 0.7);
        }
        QVERIFY(!voice_->setRate(11));
        QVERIFY(!voice_->setVolume(101));
        QCOMPARE(voice_->rate(), 10);
        QCOMPARE(voice_->volume(), 50);
    }

    // Switching voices keeps the loudness about the same.
    void everyVoiceIsAboutAsLoud() {
        std::vector<double> levels;
        for (const int index : {0, 1, 2, natural_}) {
            QVERIFY(voice_->selectVoice(index));
            levels.push_back(rootMeanSquare(joined(spoken("Where is the library?"))));
        }
        const auto [softest, loudest] = std::minmax_element(levels.begin(), levels.end());
        QVERIFY2(*loudest < *softest * 1.6,
                 qPrintable(QStringLiteral("%1 … %2").arg(*softest).arg(*loudest)));
    }

    // The transcription tells what the chosen voice says.
    void theTranscriptionFollowsTheChosenVoice() {
        QCOMPARE(voice_->transcription("apple"), std::string("/ˈæpəl/"));
        QCOMPARE(voice_->transcription("because"), std::string("/bɪˈkɔz/"));
        QCOMPARE(voice_->transcription("information"), std::string("/ˈɪnfɚˈmeɪʃən/"));
        QVERIFY(voice_->selectVoice(natural_));
        QCOMPARE(voice_->transcription("apple"), std::string("/ˈæpəl/"));
        QCOMPARE(voice_->transcription("because"), std::string("/bɪˈkʌz/"));
        QCOMPARE(voice_->transcription("information"), std::string("/ˌɪnfɚˈmeɪʃən/"));
        QCOMPARE(voice_->transcription("a beautiful butterfly"),
                 std::string("/ɐ ˈbjuːɾifəl ˈbʌɾɚˌflaɪ/"));
        // espeak-ng's English, whatever language the chosen voice speaks.
        const auto voices = voice_->voiceDescriptions();
        const auto french = std::find(voices.begin(), voices.end(), "French (France)");
        QVERIFY(french != voices.end());
        QVERIFY(voice_->selectVoice(static_cast<int>(french - voices.begin())));
        QCOMPARE(voice_->transcription("apple"), std::string("/ˈæpəl/"));
        QCOMPARE(voice_->transcription("苹果"), std::string());
        QCOMPARE(voice_->transcription(""), std::string());
    }

    // espeak-ng looks words up with the state it speaks with: a look-up
    // while it speaks waits for it, and is never mixed with what it says.
    void espeakTranscriptionsDuringSpeechStayRight() {
        QVERIFY(voice_->selectVoice(natural_));
        const std::vector<std::string> words = {"apple", "vegetable", "necessary"};
        std::vector<std::string> quiet;
        quiet.reserve(words.size());
        for (const std::string& word : words) {
            quiet.push_back(voice_->transcription(word));
        }
        for (int round = 0; round < 2000; ++round) {
            voice_->speak(
                "Patience is a virtue, and a long sentence gives the look-up time to "
                "meet the synthesis.");
            const std::size_t i = static_cast<std::size_t>(round) % words.size();
            // Past the last answer kept, so that it is looked up again.
            voice_->transcription("x");
            QCOMPARE(voice_->transcription(words[i]), quiet[i]);
            QCoreApplication::processEvents();
        }
    }
};

QTEST_GUILESS_MAIN(CombinedVoiceTest)
#include "combined_voice_test.moc"
