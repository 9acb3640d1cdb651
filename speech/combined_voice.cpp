#include "speech/combined_voice.h"

#include <algorithm>
#include <future>

#include "speech/espeak_engine.h"
#include "speech/flite_engine.h"
#include "speech/ipa_notation.h"

namespace lorvane::speech {

// The way from one synthesiser to the shared output; open only while that
// synthesiser's voice is the one heard.
class CombinedVoice::Branch : public AudioOutput {
public:
    explicit Branch(AudioOutput& output) : output_(output) {}

    void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) override {
        if (open) {
            output_.play(std::move(samples), sampleRate, afterCurrent);
        }
    }
    void stop() override {
        if (open) {
            output_.stop();
        }
    }
    void prepare(int sampleRate) override {
        if (open) {
            output_.prepare(sampleRate);
        }
    }

    bool open = false;

private:
    AudioOutput& output_;
};

void CombinedVoice::setUpEngines() {
    std::future<FliteEngine*> flite =
        std::async(std::launch::async, [] { return FliteEngine::instance(); });
    EspeakEngine::instance();
    flite.wait();
}

std::future<void> CombinedVoice::setUpInBackground() {
    return std::async(std::launch::async, &CombinedVoice::setUpEngines);
}

std::unique_ptr<CombinedVoice> CombinedVoice::create(std::unique_ptr<AudioOutput> output) {
    // Each engine is made once per process: set up in the background
    // already, this waits for it to be ready.
    setUpEngines();

    std::unique_ptr<CombinedVoice> voice(new CombinedVoice(std::move(output)));
    auto naturalBranch = std::make_unique<Branch>(*voice->output_);
    voice->naturalBranch_ = naturalBranch.get();
    voice->natural_ = FliteVoice::create(std::move(naturalBranch));
    auto espeakBranch = std::make_unique<Branch>(*voice->output_);
    voice->espeakBranch_ = espeakBranch.get();
    voice->espeak_ = EspeakVoice::create(std::move(espeakBranch));
    if (voice->natural_) {
        voice->naturalCount_ = static_cast<int>(voice->natural_->voiceDescriptions().size());
    } else {
        voice->naturalBranch_ = nullptr;
    }
    if (!voice->espeak_) {
        voice->espeakBranch_ = nullptr;
    }
    if (!voice->natural_ && !voice->espeak_) {
        return nullptr;
    }
    return voice;
}

CombinedVoice::CombinedVoice(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}

CombinedVoice::~CombinedVoice() {
    output_->stop();
}

std::vector<std::string> CombinedVoice::voiceDescriptions() const {
    std::vector<std::string> names;
    if (natural_) {
        names = natural_->voiceDescriptions();
    }
    if (espeak_) {
        const std::vector<std::string> others = espeak_->voiceDescriptions();
        names.insert(names.end(), others.begin(), others.end());
    }
    return names;
}

bool CombinedVoice::isNatural(int index) const {
    return natural_ && (index < 0 || index < naturalVoiceCount());
}

bool CombinedVoice::selectVoice(int index) {
    const int natural = naturalVoiceCount();
    const bool chosen =
        index >= 0 && (index < natural ? natural_->selectVoice(index)
                                       : espeak_ && espeak_->selectVoice(index - natural));
    if (chosen) {
        selected_ = index;
    }
    return chosen;
}

bool CombinedVoice::setRate(int rate) {
    if (rate < kMinRate || rate > kMaxRate) {
        return false;
    }
    rate_ = rate;
    for (Voice* voice : {static_cast<Voice*>(natural_.get()), static_cast<Voice*>(espeak_.get())}) {
        if (voice) {
            voice->setRate(rate);
        }
    }
    return true;
}

bool CombinedVoice::setVolume(int volume) {
    if (volume < kMinVolume || volume > kMaxVolume) {
        return false;
    }
    volume_ = volume;
    for (Voice* voice : {static_cast<Voice*>(natural_.get()), static_cast<Voice*>(espeak_.get())}) {
        if (voice) {
            voice->setVolume(volume);
        }
    }
    return true;
}

void CombinedVoice::speak(const std::string& text) {
    const bool natural = isNatural(selected_);
    Voice& speaking = natural ? static_cast<Voice&>(*natural_) : *espeak_;
    Branch* heard = natural ? naturalBranch_ : espeakBranch_;
    Branch* silenced = natural ? espeakBranch_ : naturalBranch_;
    if (!heard->open) {
        if (silenced && silenced->open) {
            // Closed first: the other synthesiser stops without a sound
            // and what it still sends is not heard.
            silenced->open = false;
            Voice& other = natural ? static_cast<Voice&>(*espeak_) : *natural_;
            other.speak({});
            output_->stop();
        }
        heard->open = true;
    }
    speaking.speak(text);
}

std::string CombinedVoice::transcription(const std::string& english) {
    // A text without a Latin letter is no English word: espeak-ng would
    // name its characters.
    if (!std::any_of(english.begin(), english.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); })) {
        return {};
    }
    const bool natural = isNatural(selected_);
    if (english == lastEnglish_ && natural == lastNatural_) {
        return lastTranscription_;
    }
    std::string ipa = natural ? naturalTranscription(english) : espeakTranscription(english);
    if (ipa.empty()) {
        ipa = natural ? espeakTranscription(english) : naturalTranscription(english);
    }
    lastNatural_ = natural;
    lastEnglish_ = english;
    lastTranscription_ = ipa.empty() ? std::string() : "/" + ipa + "/";
    return lastTranscription_;
}

std::string CombinedVoice::naturalTranscription(const std::string& english) const {
    FliteEngine* engine = natural_ ? FliteEngine::instance() : nullptr;
    return engine ? ipaOfCmuWords(engine->pronunciation(english)) : std::string();
}

std::string CombinedVoice::espeakTranscription(const std::string& english) const {
    EspeakEngine* engine = espeak_ ? EspeakEngine::instance() : nullptr;
    return engine ? ipaInDictionaryStyle(engine->phonemes(english)) : std::string();
}

}  // namespace lorvane::speech
