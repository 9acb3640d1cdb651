#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audio_output.h"
#include "voice.h"

// The voice of both programs, spoken by libespeak-ng.
//
// espeak-ng runs in retrieval mode: it synthesises on its own thread (about a
// thousand times faster than real time) and hands the samples to a callback;
// the finished utterance is played through an AudioOutput on the thread that
// made the voice. Cutting off an utterance sets a generation number the
// callback checks, so the synthesiser stops at once instead of finishing the
// old text first.
//
// espeak-ng keeps its state per process: make at most one voice at a time.
class EspeakVoice : public Voice {
public:
    // nullptr when no synthesiser or voice data is installed.
    static std::unique_ptr<EspeakVoice> create(std::unique_ptr<AudioOutput> output);
    ~EspeakVoice() override;

    std::vector<std::string> voiceDescriptions() const override;
    bool selectVoice(int index) override;
    int selectedVoice() const override { return selected_; }
    bool setRate(int rate) override;
    int rate() const override { return rate_; }
    bool setVolume(int volume) override;
    int volume() const override { return volume_; }
    void speak(const std::string& text, int flags) override;

    // Called on the synthesiser's thread.
    int onSamples(const short* samples, int count, std::uintptr_t generation);

private:
    struct InstalledVoice {
        std::string identifier;
        std::string description;
    };

    EspeakVoice(std::unique_ptr<AudioOutput> output, int sampleRate,
                std::vector<InstalledVoice> voices);
    void applySettings();
    void deliver(std::vector<std::int16_t> samples, std::uintptr_t generation, bool afterCurrent);

    std::unique_ptr<AudioOutput> output_;
    const int sampleRate_;
    const std::vector<InstalledVoice> voices_;
    int selected_ = -1;
    int rate_ = 0;
    int volume_ = 100;

    // Receives finished utterances on the voice's own thread.
    QObject receiver_;
    std::atomic<std::uintptr_t> generation_{0};
    std::mutex pendingMutex_;
    std::vector<std::int16_t> pending_;
    bool pendingAfterCurrent_ = false;
};
