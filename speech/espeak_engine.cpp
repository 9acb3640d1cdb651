#include "speech/espeak_engine.h"

#include <algorithm>
#include <cerrno>  // program_invocation_short_name
#include <cstdio>
#include <limits>
#include <memory>

namespace lorvane::speech {

namespace {

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

// The library's callback cannot carry the engine along.
EspeakEngine* theEngine = nullptr;

}  // namespace

EspeakEngine* EspeakEngine::instance() {
    static const std::unique_ptr<EspeakEngine> engine = setUp();
    return engine.get();
}

std::unique_ptr<EspeakEngine> EspeakEngine::setUp() {
    const std::unique_ptr<EspeakLibrary> library = EspeakLibrary::loadInstalled();
    if (!library) {
        return nullptr;
    }
    // Without the flag espeak-ng ends the whole program when its data is
    // missing or damaged.
    const int sampleRate =
        library->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (sampleRate <= 0) {
        return nullptr;
    }
    std::vector<std::pair<int, InstalledVoice>> ranked;
    const auto text = [](const char* s) { return s ? std::string(s) : std::string(); };
    for (const espeak_VOICE** v = library->listVoices(nullptr); v && *v; ++v) {
        if (!(*v)->identifier) {
            continue;
        }
        // languages: a priority byte, then the language name.
        const std::string language = (*v)->languages ? text((*v)->languages + 1) : "";
        ranked.push_back({rank(language), {(*v)->identifier, text((*v)->name)}});
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // A learner of English needs an English voice that actually loads.
    const bool english = !ranked.empty() && ranked.front().first <= 2 &&
                         library->setVoiceByName(ranked.front().second.identifier.c_str()) == EE_OK;
    // Ended once, here: espeak-ng can't be ended twice in one loading (the
    // second time waits for ever), and it is unloaded right after.
    library->terminate();
    if (!english) {
        return nullptr;
    }
    std::vector<InstalledVoice> voices;
    voices.reserve(ranked.size());
    for (auto& [order, voice] : ranked) {
        voices.push_back(std::move(voice));
    }
    return std::unique_ptr<EspeakEngine>(new EspeakEngine(sampleRate, std::move(voices)));
}

EspeakEngine::EspeakEngine(int sampleRate, std::vector<InstalledVoice> voices)
    : sampleRate_(sampleRate), voices_(std::move(voices)) {
    theEngine = this;
    thread_ = std::thread([this] { run(); });
}

EspeakEngine::~EspeakEngine() {
    queue_.close();
    thread_.join();
    // The process is ending: espeak-ng stays loaded, as it was started,
    // rather than be unloaded under its own feet.
    static_cast<void>(library_.release());
}

bool EspeakEngine::openLibrary() {
    if (library_ || libraryFailed_) {
        return library_ != nullptr;
    }
    std::unique_ptr<EspeakLibrary> library = EspeakLibrary::loadInstalled();
    // The same installation as at start: the same rate, unless it changed
    // since, and then nothing it says would play right.
    if (!library || library->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr,
                                        espeakINITIALIZE_DONT_EXIT) != sampleRate_) {
        std::fprintf(stderr, "%s: espeak-ng could not be started again; its voices are silent\n",
                     program_invocation_short_name);
        // Left loaded: whatever it set up is not ended.
        static_cast<void>(library.release());
        libraryFailed_ = true;
        return false;
    }
    library->setSynthCallback(&EspeakEngine::synthesised);
    // Every setting is given anew.
    appliedVoice_.clear();
    appliedRate_ = appliedVolume_ = -1;
    library_ = std::move(library);
    return true;
}

bool EspeakEngine::attach(Listener& listener) {
    std::lock_guard lock(listenerMutex_);
    if (listener_) {
        return false;
    }
    listener_ = &listener;
    return true;
}

void EspeakEngine::detach(Listener& listener) {
    cutOffBefore(newUtterance());
    // A block being delivered holds the lock: it is through once we have it.
    std::lock_guard lock(listenerMutex_);
    if (listener_ == &listener) {
        listener_ = nullptr;
    }
}

void EspeakEngine::run() {
    while (std::optional<Request> next = queue_.next()) {
        const Request& request = *next;
        if (queue_.isCutOff(request.utterance)) {
            continue;
        }
        std::lock_guard lock(libraryMutex_);
        if (!openLibrary()) {
            continue;
        }
        apply(request);
        currentReplaces_ = request.replacesCurrent;
        // The text is SSML, already filtered: its markup shapes the voice
        // and is never read out.
        const unsigned int options = espeakCHARS_UTF8 | espeakSSML;
        library_->synth(request.text.c_str(), request.text.size() + 1, 0, POS_CHARACTER, 0, options,
                        nullptr,
                        // The utterance's number rides in the user-data pointer.
                        // NOLINTNEXTLINE(performance-no-int-to-ptr)
                        reinterpret_cast<void*>(static_cast<std::uintptr_t>(request.utterance)));
    }
}

std::string EspeakEngine::phonemes(const std::string& text) {
    // A lesson's word or phrase; a whole page would only hold up the voice.
    constexpr std::size_t kLongest = 200;
    constexpr int kMostClauses = 50;
    std::lock_guard lock(libraryMutex_);
    if (!openLibrary()) {
        return {};
    }
    const std::string& english = voices_.front().identifier;
    if (appliedVoice_ != english) {
        library_->setVoiceByName(english.c_str());
        appliedVoice_ = english;
        appliedRate_ = appliedVolume_ = -1;
    }
    std::size_t length = std::min(text.size(), kLongest);
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;  // not in the middle of a character
    }
    const std::string shortened = text.substr(0, length);
    const void* rest = shortened.c_str();
    std::string ipa;
    // One clause at a time; `rest` becomes null after the last.
    for (int clause = 0; rest && clause < kMostClauses; ++clause) {
        const char* phonemes =
            library_->textToPhonemes(&rest, espeakCHARS_UTF8, espeakPHONEMES_IPA);
        if (phonemes && *phonemes) {
            if (!ipa.empty()) {
                ipa += ' ';
            }
            ipa += phonemes;
        }
    }
    return ipa;
}

void EspeakEngine::apply(const Request& request) {
    if (request.voice != appliedVoice_) {
        library_->setVoiceByName(request.voice.c_str());
        appliedVoice_ = request.voice;
        // A new voice comes with its own speed and volume.
        appliedRate_ = appliedVolume_ = -1;
    }
    if (request.wordsPerMinute != appliedRate_) {
        library_->setParameter(espeakRATE, request.wordsPerMinute, 0);
        appliedRate_ = request.wordsPerMinute;
    }
    if (request.volume != appliedVolume_) {
        library_->setParameter(espeakVOLUME, request.volume, 0);
        appliedVolume_ = request.volume;
    }
}

int EspeakEngine::synthesised(short* samples, int count, espeak_EVENT* events) {
    const auto utterance =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(events->user_data));
    return theEngine->deliver(samples, count, utterance, theEngine->currentReplaces_);
}

int EspeakEngine::deliver(const short* samples, int count, std::uint64_t utterance,
                          bool replacesCurrent) {
    if (queue_.isCutOff(utterance)) {
        return 1;  // cut off: espeak-ng stops synthesising it
    }
    if (!samples || count <= 0) {
        return 0;  // the end of the utterance, or a block without sound
    }
    std::lock_guard lock(listenerMutex_);
    if (!listener_) {
        return 1;
    }
    listener_->onSamples(utterance, replacesCurrent, samples, count);
    return 0;
}

}  // namespace lorvane::speech
