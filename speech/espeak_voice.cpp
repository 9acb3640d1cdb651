#include "espeak_voice.h"

#include <espeak-ng/speak_lib.h>

#include <QMetaObject>
#include <algorithm>
#include <cmath>

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

// espeak-ng's rate in words per minute: 0 is the normal 175, and each step
// multiplies the speed by the tenth root of 3 (10 is three times as fast).
int wordsPerMinute(int rate) {
    const double wpm = espeakRATE_NORMAL * std::pow(3.0, rate / 10.0);
    return std::clamp(static_cast<int>(std::lround(wpm)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

}  // namespace

std::unique_ptr<EspeakVoice> EspeakVoice::create(std::unique_ptr<AudioOutput> output) {
    {
        std::lock_guard lock(activeMutex);
        if (activeVoice) {
            return nullptr;
        }
    }
    const int sampleRate = espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 200, nullptr, 0);
    if (sampleRate <= 0) {
        return nullptr;
    }
    std::vector<InstalledVoice> voices;
    std::vector<int> ranks;
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
        const std::string language = (*v)->languages ? std::string((*v)->languages + 1) : "";
        voices.push_back({(*v)->identifier, std::string((*v)->name) + " (" + language + ")"});
        ranks.push_back(rank(language));
    }
    if (voices.empty()) {
        espeak_Terminate();
        return nullptr;
    }
    std::vector<std::size_t> order(voices.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&ranks](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
    std::vector<InstalledVoice> sorted;
    for (const std::size_t i : order) {
        sorted.push_back(voices[i]);
    }
    // Until a voice is chosen, speak with the first of the list.
    espeak_SetVoiceByName(sorted.front().identifier.c_str());
    espeak_SetSynthCallback(synthCallback);
    std::unique_ptr<EspeakVoice> voice(
        new EspeakVoice(std::move(output), sampleRate, std::move(sorted)));
    std::lock_guard lock(activeMutex);
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
    espeak_Terminate();
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
    if (espeak_SetVoiceByName(voices_[static_cast<std::size_t>(index)].identifier.c_str()) !=
        EE_OK) {
        return false;
    }
    selected_ = index;
    // A new voice starts at its own defaults: keep the learner's rate and volume.
    espeak_SetParameter(espeakRATE, wordsPerMinute(rate_), 0);
    espeak_SetParameter(espeakVOLUME, volume_, 0);
    return true;
}

bool EspeakVoice::setRate(int rate) {
    if (rate < kMinRate || rate > kMaxRate) {
        return false;
    }
    rate_ = rate;
    espeak_SetParameter(espeakRATE, wordsPerMinute(rate), 0);
    return true;
}

bool EspeakVoice::setVolume(int volume) {
    if (volume < kMinVolume || volume > kMaxVolume) {
        return false;
    }
    volume_ = volume;
    // espeak-ng's default volume is 100 of its 0 … 200: full volume here.
    espeak_SetParameter(espeakVOLUME, volume, 0);
    return true;
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
