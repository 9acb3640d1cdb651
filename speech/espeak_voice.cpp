#include "speech/espeak_voice.h"

#include <QCoreApplication>
#include <algorithm>

#include "speech/speaking_rate.h"
#include "speech/speech_markup.h"

namespace lorvane::speech {

namespace {

const auto kBlockEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// A block of an utterance on its way to the voice's thread.
struct BlockEvent : QEvent {
    BlockEvent(std::uint64_t ofUtterance, bool replacing, std::vector<std::int16_t> block)
        : QEvent(kBlockEvent),
          utterance(ofUtterance),
          replacesCurrent(replacing),
          samples(std::move(block)) {}
    std::uint64_t utterance;
    bool replacesCurrent;
    std::vector<std::int16_t> samples;
};

}  // namespace

std::unique_ptr<EspeakVoice> EspeakVoice::create(std::unique_ptr<AudioOutput> output) {
    EspeakEngine* engine = EspeakEngine::instance();
    if (!engine) {
        return nullptr;
    }
    std::unique_ptr<EspeakVoice> voice(new EspeakVoice(*engine, std::move(output)));
    if (!engine->attach(*voice)) {
        return nullptr;
    }
    return voice;
}

EspeakVoice::EspeakVoice(EspeakEngine& engine, std::unique_ptr<AudioOutput> output)
    : engine_(engine), output_(std::move(output)) {}

EspeakVoice::~EspeakVoice() {
    engine_.detach(*this);
    output_->stop();
}

std::vector<std::string> EspeakVoice::voiceDescriptions() const {
    std::vector<std::string> names;
    names.reserve(engine_.voices().size());
    for (const EspeakEngine::InstalledVoice& v : engine_.voices()) {
        names.push_back(v.description);
    }
    return names;
}

bool EspeakVoice::selectVoice(int index) {
    if (index < 0 || index >= static_cast<int>(engine_.voices().size())) {
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

void EspeakVoice::speak(const std::string& text) {
    EspeakEngine::Request request;
    request.utterance = engine_.newUtterance();
    cutOff_ = request.utterance;
    engine_.cutOffBefore(request.utterance);
    // Lesson texts come from anywhere, and the synthesiser's markup can name
    // files and run a program for them: only markup that shapes the voice
    // gets through.
    request.text = safeSpeechMarkup(text);
    // Until a voice is chosen, the first of the list (an English one) speaks.
    request.voice =
        engine_.voices()[selected_ < 0 ? 0 : static_cast<std::size_t>(selected_)].identifier;
    request.wordsPerMinute = wordsPerMinute(rate_);
    // espeak-ng's own normal volume is 100 of its 0 … 200: full volume here.
    request.volume = volume_;
    request.replacesCurrent = true;
    engine_.speak(std::move(request));
    // While the first words are being synthesised: the sound stops, and the
    // way to the audio server is opened for them.
    output_->prepare(engine_.sampleRate());
}

void EspeakVoice::onSamples(std::uint64_t utterance, bool replacesCurrent, const short* samples,
                            int count) {
    if (utterance != arriving_) {
        arriving_ = utterance;
        sounding_ = false;
    }
    const short* begin = samples;
    const short* end = samples + count;
    if (!sounding_) {
        begin = std::find_if(begin, end, [](short s) { return s != 0; });
        if (begin == end) {
            return;
        }
    }
    // The first block of sound replaces what is playing; the rest follow it.
    const bool replaces = replacesCurrent && !sounding_;
    sounding_ = true;
    QCoreApplication::postEvent(&receiver_, new BlockEvent(utterance, replaces, {begin, end}));
}

bool EspeakVoice::Receiver::event(QEvent* event) {
    if (event->type() != kBlockEvent) {
        return QObject::event(event);
    }
    auto* block = static_cast<BlockEvent*>(event);
    voice_.play(block->utterance, block->replacesCurrent, std::move(block->samples));
    return true;
}

void EspeakVoice::play(std::uint64_t utterance, bool replacesCurrent,
                       std::vector<std::int16_t> samples) {
    if (utterance < cutOff_) {
        return;  // arrived after a later text cut it off
    }
    output_->play(std::move(samples), engine_.sampleRate(), !replacesCurrent);
}

}  // namespace lorvane::speech
