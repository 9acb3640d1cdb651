#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "speech/audio_output.h"
#include "speech/espeak_engine.h"
#include "speech/voice.h"

namespace lorvane::speech {

// The voice of both programs, spoken by libespeak-ng.
//
// The engine synthesises on its own thread, about a thousand times faster
// than real time; each block of samples is played through an AudioOutput
// on the thread that made the voice as soon as it arrives, so speech starts
// before the rest of a long text has been synthesised. Leading silence is
// left out: espeak-ng begins a sentence with 12 ms of it.
//
// espeak-ng keeps its state per process: make at most one voice at a time.
class EspeakVoice : public Voice, private EspeakEngine::Listener {
public:
    // nullptr when no synthesiser or no English voice is installed.
    static std::unique_ptr<EspeakVoice> create(std::unique_ptr<AudioOutput> output);
    ~EspeakVoice() override;

    std::vector<std::string> voiceDescriptions() const override;
    bool selectVoice(int index) override;
    int selectedVoice() const override { return selected_; }
    bool setRate(int rate) override;
    int rate() const override { return rate_; }
    bool setVolume(int volume) override;
    int volume() const override { return volume_; }
    void speak(const std::string& text) override;

private:
    EspeakVoice(EspeakEngine& engine, std::unique_ptr<AudioOutput> output);
    void onSamples(std::uint64_t utterance, bool replacesCurrent, const short* samples,
                   int count) override;
    void play(std::uint64_t utterance, bool replacesCurrent, std::vector<std::int16_t> samples);

    EspeakEngine& engine_;
    std::unique_ptr<AudioOutput> output_;
    int selected_ = -1;
    int rate_ = 0;
    int volume_ = 100;

    // Utterances numbered below this one have been cut off; the voice's
    // thread only.
    std::uint64_t cutOff_ = 0;
    // Receives the blocks of samples on the voice's own thread.
    class Receiver : public QObject {
    public:
        explicit Receiver(EspeakVoice& voice) : voice_(voice) {}

    protected:
        bool event(QEvent* event) override;

    private:
        EspeakVoice& voice_;
    };
    Receiver receiver_{*this};

    // The engine's thread only: the utterance whose blocks are arriving, and
    // whether its sound has begun.
    std::uint64_t arriving_ = 0;
    bool sounding_ = false;
};

}  // namespace lorvane::speech
