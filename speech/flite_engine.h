#pragma once

#include <cstdint>
#include <latch>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "speech/flite_library.h"
#include "speech/flite_markup.h"
#include "speech/ipa_notation.h"
#include "speech/utterance_queue.h"

namespace lorvane::speech {

// libflite's natural English voices for the whole process, and the one
// thread that synthesises with them.
//
// flite analyses a whole sentence before it makes its first sample, then
// makes the sound in blocks of 16 ms, about 50 to 90 times faster than real
// time. A text is therefore spoken sentence by sentence (see
// flite_markup.h), and an utterance is cut off by number as with espeak-ng:
// flite stops at its next block, and sentences not yet begun are dropped.
// Each sentence begins with 0.2 s of silence, which is left out.
//
// A voice is listed when its library is installed, and opened when it is
// first needed (each is some 1.7 MB and 5 to 10 ms): a learner who never
// hears it doesn't pay for it. Once open nothing changes it: speed and the
// stream of samples are settings of each utterance, so that looking a
// word's pronunciation up on another thread never meets a voice being
// changed.
class FliteEngine {
public:
    static constexpr int kSampleRate = 16000;

    struct InstalledVoice {
        std::string description;
        // Brings the voice to about espeak-ng's loudness; never above 1, as
        // flite's samples are not clipped.
        double loudness = 1;
        const char* library = nullptr;
        const char* registration = nullptr;
    };

    struct Request {
        std::uint64_t utterance = 0;  // from newUtterance()
        std::vector<FlitePiece> pieces;
        int voice = 0;       // an index of voices()
        double stretch = 1;  // times the voice's own durations: 2 is half as fast
        double volume = 1;   // 0 … 1
        // Handed back with the first samples: the utterance replaces
        // whatever is still being said.
        bool replacesCurrent = false;
    };

    // Receives synthesised speech on the engine's thread, in order: first a
    // block of 50 ms, so that the sound can start, then blocks of 200 ms.
    class Listener {
    public:
        virtual void onSamples(std::uint64_t utterance, bool replacesCurrent,
                               std::vector<std::int16_t> samples) = 0;

    protected:
        ~Listener() = default;
    };

    // The engine with the voices that are installed, set up on first use;
    // null when libflite or every one of its voices is missing.
    static FliteEngine* instance();

    FliteEngine(const FliteEngine&) = delete;
    FliteEngine& operator=(const FliteEngine&) = delete;
    ~FliteEngine();

    // In the order slt, rms, awb, of those installed.
    const std::vector<InstalledVoice>& voices() const { return voices_; }

    // One listener at a time: false while another one is attached.
    bool attach(Listener& listener);
    // Once this returns, the listener is called no more.
    void detach(Listener& listener);

    // A number for the next utterance, greater than every earlier one.
    std::uint64_t newUtterance() { return queue_.newUtterance(); }
    // Synthesises in the background; returns at once.
    void speak(Request request) { queue_.push(std::move(request)); }
    // Stops every utterance numbered below `utterance`.
    void cutOffBefore(std::uint64_t utterance) { queue_.cutOffBefore(utterance); }

    // How flite pronounces `text`, word by word, from its pronouncing
    // dictionary and its rules for words not in it. Runs on the calling
    // thread, beside the synthesis.
    std::vector<CmuWord> pronunciation(const std::string& text) const;

private:
    struct Delivery;
    struct Stream;

    FliteEngine();
    void load();
    void run();
    void say(const Request& request);
    void synthesise(const Request& request, const FlitePiece& piece, Delivery& delivery);
    void deliver(Delivery& delivery, std::vector<std::int16_t>& samples);
    bool isCutOff(std::uint64_t utterance) const { return queue_.isCutOff(utterance); }
    static int streamed(const cst_wave* wave, int start, int size, int last,
                        cst_audio_streaming_info* info);
    long speechStart(const cst_utterance* utterance) const;
    // The voice at `index`, opened now if it wasn't; null when its library
    // can't be loaded after all.
    cst_voice* opened(std::size_t index) const;
    // For a pronunciation any voice will do: one already open if there is.
    cst_voice* anyOpened() const;

    // Set on the engine's thread before `loaded_`, unchanged afterwards.
    std::optional<FliteLibrary> library_;
    std::vector<InstalledVoice> voices_;

    // Guards the opening of voices: the engine's thread and the
    // pronunciation look-ups may both want one first.
    mutable std::mutex openingMutex_;
    mutable std::vector<cst_voice*> opened_;
    mutable std::vector<bool> tried_;

    UtteranceQueue<Request> queue_;
    // Counted down on the engine's thread once the voices are open.
    std::latch loaded_{1};

    std::mutex listenerMutex_;
    Listener* listener_ = nullptr;

    std::thread thread_;
};

}  // namespace lorvane::speech
