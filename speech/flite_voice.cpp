#include "speech/flite_voice.h"

#include <QCoreApplication>

#include "speech/speaking_rate.h"
#include "speech/speech_markup.h"

namespace lorvane::speech {

namespace {

const auto kBlockEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// A block of an utterance on its way to the voice's thread.
struct BlockEvent : QEvent {
    BlockEvent(std::uint64_t number, bool replaces, std::vector<std::int16_t> block)
        : QEvent(kBlockEvent),
          utterance(number),
          replacesCurrent(replaces),
          samples(std::move(block)) {}
    std::uint64_t utterance;
    bool replacesCurrent;
    std::vector<std::int16_t> samples;
};

}  // namespace

std::unique_ptr<FliteVoice> FliteVoice::create(std::unique_ptr<AudioOutput> output) {
    FliteEngine* engine = FliteEngine::instance();
    if (!engine) {
        return nullptr;
    }
    std::unique_ptr<FliteVoice> voice(new FliteVoice(*engine, std::move(output)));
    if (!engine->attach(*voice)) {
        return nullptr;
    }
    return voice;
}

FliteVoice::FliteVoice(FliteEngine& engine, std::unique_ptr<AudioOutput> output)
    : engine_(engine), output_(std::move(output)) {}

FliteVoice::~FliteVoice() {
    engine_.detach(*this);
    output_->stop();
}

std::vector<std::string> FliteVoice::voiceDescriptions() const {
    std::vector<std::string> names;
    for (const FliteEngine::InstalledVoice& v : engine_.voices()) {
        names.push_back(v.description);
    }
    return names;
}

bool FliteVoice::selectVoice(int index) {
    if (index < 0 || index >= static_cast<int>(engine_.voices().size())) {
        return false;
    }
    selected_ = index;
    return true;
}

bool FliteVoice::setRate(int rate) {
    if (rate < kMinRate || rate > kMaxRate) {
        return false;
    }
    rate_ = rate;
    return true;
}

bool FliteVoice::setVolume(int volume) {
    if (volume < kMinVolume || volume > kMaxVolume) {
        return false;
    }
    volume_ = volume;
    return true;
}

void FliteVoice::speak(const std::string& text) {
    FliteEngine::Request request;
    request.utterance = engine_.newUtterance();
    cutOff_ = request.utterance;
    engine_.cutOffBefore(request.utterance);
    // The same filter as for espeak-ng first: what it lets through is all
    // the markup there is to read.
    request.pieces = flitePiecesOfMarkup(safeSpeechMarkup(text));
    // Until a voice is chosen, the first of the list speaks.
    request.voice = selected_ < 0 ? 0 : selected_;
    // Each voice at its own natural speed at rate 0, and every step of the
    // rate the same change of speed as for espeak-ng.
    request.stretch = 1 / relativeSpeed(rate_);
    request.volume = volume_ / double{kMaxVolume};
    request.replacesCurrent = true;
    if (!request.pieces.empty()) {
        engine_.speak(std::move(request));
    }
    // While the first sentence is being analysed: the sound stops, and the
    // way to the audio server is opened for it.
    output_->prepare(FliteEngine::kSampleRate);
}

void FliteVoice::onSamples(std::uint64_t utterance, bool replacesCurrent,
                           std::vector<std::int16_t> samples) {
    QCoreApplication::postEvent(&receiver_,
                                new BlockEvent(utterance, replacesCurrent, std::move(samples)));
}

bool FliteVoice::Receiver::event(QEvent* event) {
    if (event->type() != kBlockEvent) {
        return QObject::event(event);
    }
    auto* block = static_cast<BlockEvent*>(event);
    voice_.play(block->utterance, block->replacesCurrent, std::move(block->samples));
    return true;
}

void FliteVoice::play(std::uint64_t utterance, bool replacesCurrent,
                      std::vector<std::int16_t> samples) {
    if (utterance < cutOff_) {
        return;  // arrived after a later text cut it off
    }
    output_->play(std::move(samples), FliteEngine::kSampleRate, !replacesCurrent);
}

}  // namespace lorvane::speech
