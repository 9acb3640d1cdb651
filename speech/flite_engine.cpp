#include "speech/flite_engine.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

namespace lorvane::speech {

namespace {

struct KnownVoice {
    const char* library;
    const char* registration;
    const char* description;
    double loudness;
};

// The natural voices of Debian's libflite1, named short enough for the
// trainer's narrow voice list. Their loudness factors bring
// the median loudness of a spoken lesson word to espeak-ng's, so that
// switching voices doesn't change the volume.
constexpr std::array<KnownVoice, 3> kKnownVoices = {{
    {"libflite_cmu_us_slt.so.1", "register_cmu_us_slt", "flite slt: US female", 0.49},
    {"libflite_cmu_us_rms.so.1", "register_cmu_us_rms", "flite rms: US male", 0.92},
    {"libflite_cmu_us_awb.so.1", "register_cmu_us_awb", "flite awb: Scottish male", 0.91},
}};

// The first block starts the sound; it must outlast the audio server's
// pre-buffer (40 ms), or silence is played after it.
constexpr std::size_t kFirstBlock = FliteEngine::kSampleRate / 20;
constexpr std::size_t kBlock = FliteEngine::kSampleRate / 5;
// What is kept of a sentence's leading silence: the first sound begins
// where the pause ends, or a few milliseconds later (a breath, a stop's
// closure), never before.
constexpr long kKeptSilence = FliteEngine::kSampleRate / 100;
// A sentence longer than this is no lesson text; flite would be busy with
// it for a while.
constexpr std::size_t kLongestPronounced = 200;

// The folder libflite was loaded from, where Debian puts its voices too.
std::string folderOf(const void* function) {
    Dl_info info{};
    if (dladdr(function, &info) == 0 || !info.dli_fname) {
        return {};
    }
    const std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Whether a voice's library lies there, without loading it.
bool isInstalled(const std::string& folder, const char* library) {
    struct stat status {};
    return !folder.empty() && stat((folder + library).c_str(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

}  // namespace

// What has been handed on of one request.
struct FliteEngine::Delivery {
    std::uint64_t utterance = 0;
    bool replacesCurrent = false;
    bool begun = false;  // something has been handed on
};

// One sentence being synthesised, reached from flite's stream callback.
struct FliteEngine::Stream {
    FliteEngine* engine = nullptr;
    Delivery* delivery = nullptr;
    double gain = 1;
    long speechStart = -1;  // found at the first block
    std::vector<std::int16_t> samples;
};

FliteEngine* FliteEngine::instance() {
    static const std::unique_ptr<FliteEngine> engine = [] {
        std::unique_ptr<FliteEngine> started(new FliteEngine());
        started->loaded_.wait();
        return started->voices_.empty() ? nullptr : std::move(started);
    }();
    return engine.get();
}

FliteEngine::FliteEngine() {
    thread_ = std::thread([this] { run(); });
}

FliteEngine::~FliteEngine() {
    queue_.close();
    thread_.join();
}

void FliteEngine::load() {
    library_ = loadFliteLibrary("libflite.so.1");
    if (!library_) {
        return;
    }
    library_->init();
    const std::string folder = folderOf(reinterpret_cast<const void*>(library_->init));
    for (const KnownVoice& known : kKnownVoices) {
        if (isInstalled(folder, known.library)) {
            voices_.push_back(
                {known.description, known.loudness, known.library, known.registration});
        }
    }
    opened_.assign(voices_.size(), nullptr);
    tried_.assign(voices_.size(), false);
}

cst_voice* FliteEngine::opened(std::size_t index) const {
    std::lock_guard lock(openingMutex_);
    if (index >= voices_.size()) {
        return nullptr;
    }
    if (!tried_[index]) {
        tried_[index] = true;
        const InstalledVoice& voice = voices_[index];
        const FliteVoiceRegistration registration =
            openFliteVoice(voice.library, voice.registration);
        opened_[index] = registration ? registration(nullptr) : nullptr;
    }
    return opened_[index];
}

cst_voice* FliteEngine::anyOpened() const {
    {
        std::lock_guard lock(openingMutex_);
        for (cst_voice* voice : opened_) {
            if (voice) {
                return voice;
            }
        }
    }
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        if (cst_voice* voice = opened(i)) {
            return voice;
        }
    }
    return nullptr;
}

bool FliteEngine::attach(Listener& listener) {
    std::lock_guard lock(listenerMutex_);
    if (listener_) {
        return false;
    }
    listener_ = &listener;
    return true;
}

void FliteEngine::detach(Listener& listener) {
    cutOffBefore(newUtterance());
    // A block being delivered holds the lock: it is through once we have it.
    std::lock_guard lock(listenerMutex_);
    if (listener_ == &listener) {
        listener_ = nullptr;
    }
}

void FliteEngine::run() {
    load();
    loaded_.count_down();
    while (std::optional<Request> next = queue_.next()) {
        const Request& request = *next;
        if (!isCutOff(request.utterance) && request.voice >= 0 &&
            request.voice < static_cast<int>(voices_.size())) {
            say(request);
        }
    }
}

void FliteEngine::say(const Request& request) {
    Delivery delivery{request.utterance, request.replacesCurrent, false};
    for (const FlitePiece& piece : request.pieces) {
        if (isCutOff(request.utterance)) {
            return;
        }
        if (piece.text.empty()) {
            std::vector<std::int16_t> pause(static_cast<std::size_t>(piece.pauseMs) * kSampleRate /
                                            1000);
            deliver(delivery, pause);
        } else {
            synthesise(request, piece, delivery);
        }
    }
}

void FliteEngine::synthesise(const Request& request, const FlitePiece& piece, Delivery& delivery) {
    const InstalledVoice& voice = voices_[static_cast<std::size_t>(request.voice)];
    Stream stream;
    stream.engine = this;
    stream.delivery = &delivery;
    stream.gain = std::clamp(request.volume * piece.volume, 0.0, 1.0) * voice.loudness;
    if (stream.gain <= 0) {
        return;  // nothing to hear
    }
    cst_voice* made = opened(static_cast<std::size_t>(request.voice));
    if (!made) {
        return;  // listed, but its library wouldn't load
    }
    cst_utterance* utterance = library_->newUtterance();
    library_->setInputText(utterance, piece.text.c_str());
    // Settings of this utterance, not of the voice: the voice is shared
    // with the pronunciation look-ups. (flite keeps the names, not copies.)
    cst_audio_streaming_info* info = library_->newStreamingInfo();
    info->asc = &FliteEngine::streamed;
    info->userdata = &stream;
    library_->setFeature(utterance->features, "streaming_info", library_->streamingInfoValue(info));
    library_->setFloatFeature(utterance->features, "duration_stretch",
                              static_cast<float>(request.stretch / piece.speed));
    // The utterance, and the streaming info with it, is freed here; flite
    // frees it itself when the synthesis fails.
    if (cst_utterance* done = library_->doSynth(utterance, made, library_->synthesise)) {
        library_->deleteUtterance(done);
    }
    if (!isCutOff(delivery.utterance)) {
        deliver(delivery, stream.samples);
    }
}

int FliteEngine::streamed(const cst_wave* wave, int start, int size, int /*last*/,
                          cst_audio_streaming_info* info) {
    auto* stream = static_cast<Stream*>(info->userdata);
    FliteEngine& engine = *stream->engine;
    if (engine.isCutOff(stream->delivery->utterance)) {
        return CST_AUDIO_STREAM_STOP;
    }
    if (stream->speechStart < 0) {
        stream->speechStart = engine.speechStart(info->utt);
    }
    const long from = std::max<long>(start, stream->speechStart);
    for (long i = from; i < start + size; ++i) {
        // Never louder than flite made it: its samples can reach the limit.
        stream->samples.push_back(
            static_cast<std::int16_t>(std::lround(wave->samples[i] * stream->gain)));
    }
    if (stream->samples.size() >= (stream->delivery->begun ? kBlock : kFirstBlock)) {
        engine.deliver(*stream->delivery, stream->samples);
    }
    return CST_AUDIO_STREAM_CONT;
}

// Where the sound of a sentence begins: at the end of its leading pause,
// less a little silence for a soft onset.
long FliteEngine::speechStart(const cst_utterance* utterance) const {
    const cst_item* first = library_->relationHead(library_->relation(utterance, "Segment"));
    if (!first || std::string_view(library_->stringFeature(first, "name")) != "pau") {
        return 0;
    }
    const double end = library_->floatFeature(first, "end");
    return std::max(0L, std::lround(end * kSampleRate) - kKeptSilence);
}

void FliteEngine::deliver(Delivery& delivery, std::vector<std::int16_t>& samples) {
    if (samples.empty()) {
        return;
    }
    std::vector<std::int16_t> block;
    block.swap(samples);
    std::lock_guard lock(listenerMutex_);
    if (!listener_ || isCutOff(delivery.utterance)) {
        return;
    }
    listener_->onSamples(delivery.utterance, delivery.replacesCurrent && !delivery.begun,
                         std::move(block));
    delivery.begun = true;
}

std::vector<CmuWord> FliteEngine::pronunciation(const std::string& text) const {
    std::string ascii = asciiForFlite(text.substr(0, kLongestPronounced));
    std::replace(ascii.begin(), ascii.end(), '\n', ' ');
    std::vector<CmuWord> words;
    if (!std::any_of(ascii.begin(), ascii.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        })) {
        return words;
    }
    cst_voice* voice = anyOpened();
    if (!voice) {
        return words;
    }
    cst_utterance* utterance = library_->newUtterance();
    library_->setInputText(utterance, ascii.c_str());
    // Words to phones only: no sound is made.
    cst_utterance* analysed = library_->doSynth(utterance, voice, library_->analyse);
    if (!analysed) {
        return words;
    }
    for (const cst_item* word = library_->relationHead(library_->relation(analysed, "Word")); word;
         word = library_->next(word)) {
        CmuWord syllables;
        const cst_item* structure = library_->as(word, "SylStructure");
        for (const cst_item* syllable = structure ? library_->daughter(structure) : nullptr;
             syllable; syllable = library_->next(syllable)) {
            CmuSyllable s;
            s.stressed = std::string_view(library_->stringFeature(syllable, "stress")) == "1";
            for (const cst_item* segment = library_->daughter(syllable); segment;
                 segment = library_->next(segment)) {
                s.phones.emplace_back(library_->stringFeature(segment, "name"));
            }
            syllables.push_back(std::move(s));
        }
        words.push_back(std::move(syllables));
    }
    library_->deleteUtterance(analysed);
    return words;
}

}  // namespace lorvane::speech
