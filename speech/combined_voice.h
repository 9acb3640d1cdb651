#pragma once

#include <future>
#include <memory>
#include <string>
#include <vector>

#include "speech/audio_output.h"
#include "speech/espeak_voice.h"
#include "speech/flite_voice.h"
#include "speech/phonetic_transcriber.h"
#include "speech/voice.h"

namespace lorvane::speech {

// The voice of both programs: every voice the machine has, in one list.
// libflite's natural English voices come first, then espeak-ng's English
// voices, then its others, always in that order, so a position in the list
// names the same voice from one run to the next. Either synthesiser may be
// missing; the voice exists as long as one of them can speak.
//
// Both speak through the one AudioOutput. Only the synthesiser of the
// chosen voice is heard: when the choice passes to the other one, whatever
// the first is still saying is cut off.
//
// The transcription follows the chosen voice, so that it tells what the
// learner hears: flite's pronouncing dictionary for its voices, espeak-ng's
// rules and dictionary for its own; the other when one has nothing.
class CombinedVoice : public Voice, public PhoneticTranscriber {
public:
    // Sets both synthesisers up on threads of their own and returns at
    // once, so that a program can connect to the display meanwhile; create()
    // then only waits for what isn't ready yet. Keep the future until then.
    [[nodiscard]] static std::future<void> setUpInBackground();
    // nullptr when no voice at all can speak. libflite is set up on a thread
    // of its own while espeak-ng is.
    static std::unique_ptr<CombinedVoice> create(std::unique_ptr<AudioOutput> output);
    ~CombinedVoice() override;

    std::vector<std::string> voiceDescriptions() const override;
    bool selectVoice(int index) override;
    int selectedVoice() const override { return selected_; }
    bool setRate(int rate) override;
    int rate() const override { return rate_; }
    bool setVolume(int volume) override;
    int volume() const override { return volume_; }
    void speak(const std::string& text) override;

    std::string transcription(const std::string& english) override;

    // How many of the list's voices, from its start, are natural ones.
    int naturalVoiceCount() const { return naturalCount_; }

private:
    class Branch;

    explicit CombinedVoice(std::unique_ptr<AudioOutput> output);
    static void setUpEngines();
    // Whether the voice at `index` (-1: the first) is one of flite's.
    bool isNatural(int index) const;
    std::string naturalTranscription(const std::string& english) const;
    std::string espeakTranscription(const std::string& english) const;

    // First, so that it outlives the voices that play through it.
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<FliteVoice> natural_;
    std::unique_ptr<EspeakVoice> espeak_;
    Branch* naturalBranch_ = nullptr;  // owned by natural_
    Branch* espeakBranch_ = nullptr;   // owned by espeak_
    int naturalCount_ = 0;
    int selected_ = -1;
    int rate_ = 0;
    int volume_ = 100;

    // The last transcription: the window asks again at every refresh.
    bool lastNatural_ = false;
    std::string lastEnglish_;
    std::string lastTranscription_;
};

}  // namespace lorvane::speech
