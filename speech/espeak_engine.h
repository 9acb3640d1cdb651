#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "speech/espeak_library.h"
#include "speech/utterance_queue.h"

namespace lorvane::speech {

// libespeak-ng for the whole process: its installed voices, and the one
// thread that synthesises with it.
//
// The library is loaded at start to list the voices and make sure an
// English one loads, then unloaded until a text is first spoken or
// transcribed with it: with libflite's voices first in the list, a learner
// may never hear espeak-ng, and its code and data are 1.4 MB.
//
// espeak-ng runs synchronously on that thread, and nothing else calls into
// the library once it has been set up. Its own queue and cancelling (the
// "retrieval" mode) are not used: cancelling there races the next request
// and can hold the caller for a whole utterance. Here an utterance is cut
// off by number instead: the synthesiser stops at its next block of samples
// (a fraction of a millisecond), and requests not yet begun are dropped.
class EspeakEngine {
public:
    struct InstalledVoice {
        std::string identifier;
        std::string description;
    };

    struct Request {
        std::uint64_t utterance = 0;  // from newUtterance()
        std::string text;             // UTF-8 SSML, filtered
        std::string voice;            // an identifier from voices()
        int wordsPerMinute = 175;
        int volume = 100;  // espeak-ng's 0 … 200, 100 being its normal
        // Handed back with the samples: the utterance replaces whatever is
        // still being said.
        bool replacesCurrent = false;
    };

    // Receives synthesised speech on the engine's thread, in order, in
    // blocks of about 200 ms.
    class Listener {
    public:
        virtual void onSamples(std::uint64_t utterance, bool replacesCurrent, const short* samples,
                               int count) = 0;

    protected:
        ~Listener() = default;
    };

    // The engine, set up on first use; null when libespeak-ng, its data or
    // an English voice is missing. Made once per process, for the rest of it.
    static EspeakEngine* instance();

    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;
    ~EspeakEngine();

    int sampleRate() const { return sampleRate_; }
    // English voices first (American, British, others), then the rest in
    // espeak-ng's order; the same order for the whole run.
    const std::vector<InstalledVoice>& voices() const { return voices_; }

    // One listener at a time: false while another one is attached.
    bool attach(Listener& listener);
    // Once this returns, the listener is called no more.
    void detach(Listener& listener);

    // A number for the next utterance, greater than every earlier one.
    std::uint64_t newUtterance() { return queue_.newUtterance(); }
    // Synthesises in the background; returns at once.
    void speak(Request request) { queue_.push(std::move(request)); }
    // Stops every utterance numbered below `utterance`: the one being
    // synthesised at its next block, the waiting ones before they start.
    void cutOffBefore(std::uint64_t utterance) { queue_.cutOffBefore(utterance); }

    // How the first English voice of the list pronounces `text`, in IPA as
    // espeak-ng writes it ("ˈæpəl", "bˈeɪbi"); empty when it has nothing to
    // say. Waits for the block being synthesised: espeak-ng looks words up
    // with the same state it speaks with, and mixes the two up otherwise.
    std::string phonemes(const std::string& text);

private:
    static std::unique_ptr<EspeakEngine> setUp();
    EspeakEngine(int sampleRate, std::vector<InstalledVoice> voices);
    // Loads and starts espeak-ng again if it isn't; false when it can't be.
    // Under libraryMutex_.
    bool openLibrary();
    static int synthesised(short* samples, int count, espeak_EVENT* events);
    int deliver(const short* samples, int count, std::uint64_t utterance, bool replacesCurrent);
    void run();
    void apply(const Request& request);

    const int sampleRate_;
    const std::vector<InstalledVoice> voices_;

    UtteranceQueue<Request> queue_;

    std::mutex listenerMutex_;
    Listener* listener_ = nullptr;

    // Held while espeak-ng is loaded, synthesises or looks a word up: the
    // library does one thing at a time.
    std::mutex libraryMutex_;
    // Null until first needed, under libraryMutex_.
    std::unique_ptr<EspeakLibrary> library_;
    bool libraryFailed_ = false;  // it was tried once and would not start
    // The settings espeak-ng last got, under libraryMutex_.
    std::string appliedVoice_;
    int appliedRate_ = -1;
    int appliedVolume_ = -1;
    bool currentReplaces_ = false;

    std::thread thread_;
};

}  // namespace lorvane::speech
