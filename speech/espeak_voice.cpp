#include "espeak_voice.h"

#include <espeak-ng/speak_lib.h>

#include <QMetaObject>
#include <algorithm>

#include "speaking_rate.h"

namespace {

// The one voice that receives espeak-ng's callbacks.
std::mutex activeMutex;
EspeakVoice* activeVoice = nullptr;

int synthCallback(short* samples, int count, espeak_EVENT* events) {
    const auto generation = reinterpret_cast<std::uintptr_t>(events ? events->user_data : nullptr);
    std::lock_guard lock(activeMutex);
    if (!activeVoice) {
        return 1;
    }
    return activeVoice->onSamples(samples, count, generation);
}

// English voices first, American then British, so that a learner's first
// choice (index 0) speaks English; the rest keep espeak-ng's order.
int rank(const std::string& language) {
    if (language == "en-us") {
        return 0;
    }
    if (language == "en-gb") {
        return 1;
    }
    if (language.starts_with("en")) {
        return 2;
    }
    return 3;
}

}  // namespace

namespace {

// espeak-ng is initialised once per process and never terminated: a second
// initialisation after espeak_Terminate can leave its worker thread deaf to
// espeak_Cancel.
struct Engine {
    int sampleRate = 0;
    std::vector<std::pair<std::string, std::string>> voices;  // identifier, description
};

const Engine& engine() {
    static const Engine instance = [] {
        Engine e;
        e.sampleRate = espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 200, nullptr, 0);
        if (e.sampleRate <= 0) {
            return e;
        }
        std::vector<std::pair<int, std::pair<std::string, std::string>>> ranked;
        for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
            const std::string language = (*v)->languages ? std::string((*v)->languages + 1) : "";
            ranked.push_back({rank(language), {(*v)->identifier, std::string((*v)->name)}});
        }
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [order, voice] : ranked) {
            e.voices.push_back(std::move(voice));
        }
        espeak_SetSynthCallback(synthCallback);
        return e;
    }();
    return instance;
}

}  // namespace

std::unique_ptr<EspeakVoice> EspeakVoice::create(std::unique_ptr<AudioOutput> output) {
    const Engine& e = engine();
    if (e.sampleRate <= 0 || e.voices.empty()) {
        return nullptr;
    }
    std::lock_guard lock(activeMutex);
    if (activeVoice) {
        return nullptr;
    }
    std::vector<InstalledVoice> voices;
    for (const auto& [identifier, description] : e.voices) {
        voices.push_back({identifier, description});
    }
    std::unique_ptr<EspeakVoice> voice(
        new EspeakVoice(std::move(output), e.sampleRate, std::move(voices)));
    activeVoice = voice.get();
    return voice;
}

EspeakVoice::EspeakVoice(std::unique_ptr<AudioOutput> output, int sampleRate,
                         std::vector<InstalledVoice> voices)
    : output_(std::move(output)), sampleRate_(sampleRate), voices_(std::move(voices)) {}

EspeakVoice::~EspeakVoice() {
    ++generation_;
    espeak_Cancel();
    {
        std::lock_guard lock(activeMutex);
        activeVoice = nullptr;
    }
    output_->stop();
}

std::vector<std::string> EspeakVoice::voiceDescriptions() const {
    std::vector<std::string> names;
    names.reserve(voices_.size());
    for (const InstalledVoice& v : voices_) {
        names.push_back(v.description);
    }
    return names;
}

bool EspeakVoice::selectVoice(int index) {
    if (index < 0 || index >= static_cast<int>(voices_.size())) {
        return false;
    }
    selected_ = index;
    return true;
}

bool EspeakVoice::setRate(int rate) {
    if (rate < kMinRate || rate > kMaxRate) {
        return false;
    }
    rate_ = rate;
    return true;
}

bool EspeakVoice::setVolume(int volume) {
    if (volume < kMinVolume || volume > kMaxVolume) {
        return false;
    }
    volume_ = volume;
    return true;
}

void EspeakVoice::applySettings() {
    // Until a voice is chosen, the first of the list (an English one) speaks.
    const std::size_t voice = selected_ < 0 ? 0 : static_cast<std::size_t>(selected_);
    espeak_SetVoiceByName(voices_[voice].identifier.c_str());
    espeak_SetParameter(espeakRATE, wordsPerMinute(rate_), 0);
    // espeak-ng's own default volume is 100 of its 0 … 200: full volume here.
    espeak_SetParameter(espeakVOLUME, volume_, 0);
}

void EspeakVoice::speak(const std::string& text, int flags) {
    const bool purge = (flags & kPurgeBeforeSpeak) != 0;
    std::uintptr_t generation = generation_.load();
    if (purge) {
        // The callback sees the new generation and aborts the old text at
        // once; only then does espeak_Cancel return without waiting for it.
        generation = ++generation_;
        espeak_Cancel();
        output_->stop();
        std::lock_guard lock(pendingMutex_);
        pending_.clear();
    }
    {
        std::lock_guard lock(pendingMutex_);
        pendingAfterCurrent_ = !purge;
    }
    // espeak_Cancel also drops settings still queued for the synthesiser's
    // thread, so the voice, rate and volume go with every utterance.
    applySettings();
    unsigned int options = espeakCHARS_UTF8;
    if (flags & kIsXml) {
        options |= espeakSSML;
    }
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, options, nullptr,
                 reinterpret_cast<void*>(generation));
}

int EspeakVoice::onSamples(const short* samples, int count, std::uintptr_t generation) {
    if (generation != generation_.load()) {
        return 1;  // an utterance that has been cut off
    }
    std::lock_guard lock(pendingMutex_);
    if (samples) {
        pending_.insert(pending_.end(), samples, samples + std::max(count, 0));
        return 0;
    }
    // The utterance is complete: play it on the voice's own thread.
    std::vector<std::int16_t> utterance;
    utterance.swap(pending_);
    const bool afterCurrent = pendingAfterCurrent_;
    QMetaObject::invokeMethod(
        &receiver_,
        [this, utterance = std::move(utterance), generation, afterCurrent]() mutable {
            deliver(std::move(utterance), generation, afterCurrent);
        },
        Qt::QueuedConnection);
    return 0;
}

void EspeakVoice::deliver(std::vector<std::int16_t> samples, std::uintptr_t generation,
                          bool afterCurrent) {
    if (generation != generation_.load() || samples.empty()) {
        return;
    }
    output_->play(std::move(samples), sampleRate_, afterCurrent);
}
