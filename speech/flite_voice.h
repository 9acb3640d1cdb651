#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "speech/audio_output.h"
#include "speech/flite_engine.h"
#include "speech/voice.h"

namespace lorvane::speech {

// The natural English voices of libflite, behind the programs' voice
// interface: the same rates, volumes and markup as espeak-ng's voices,
// played through the same kind of AudioOutput.
//
// The engine synthesises on its own thread; the blocks of samples are
// played on the thread that made the voice as they arrive, so a sentence
// starts once its first 50 ms are ready, and the next sentence is being
// synthesised while it plays.
//
// flite's voices exist once per process: make at most one voice at a time.
class FliteVoice : public Voice, private FliteEngine::Listener {
public:
    // nullptr when libflite or all of its voices are missing.
    static std::unique_ptr<FliteVoice> create(std::unique_ptr<AudioOutput> output);
    ~FliteVoice() override;

    std::vector<std::string> voiceDescriptions() const override;
    bool selectVoice(int index) override;
    int selectedVoice() const override { return selected_; }
    bool setRate(int rate) override;
    int rate() const override { return rate_; }
    bool setVolume(int volume) override;
    int volume() const override { return volume_; }
    void speak(const std::string& text) override;

private:
    FliteVoice(FliteEngine& engine, std::unique_ptr<AudioOutput> output);
    void onSamples(std::uint64_t utterance, bool replacesCurrent,
                   std::vector<std::int16_t> samples) override;
    void play(std::uint64_t utterance, bool replacesCurrent, std::vector<std::int16_t> samples);

    FliteEngine& engine_;
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
        explicit Receiver(FliteVoice& voice) : voice_(voice) {}

    protected:
        bool event(QEvent* event) override;

    private:
        FliteVoice& voice_;
    };
    Receiver receiver_{*this};
};

}  // namespace lorvane::speech
