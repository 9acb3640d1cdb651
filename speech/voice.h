#pragma once

#include <string>
#include <vector>

namespace lorvane::speech {

// The speech voice both programs talk through. One voice per program, made
// at start-up and kept for the whole run.
class Voice {
public:
    static constexpr int kMinRate = -10;
    static constexpr int kMaxRate = 10;
    static constexpr int kMinVolume = 0;
    static constexpr int kMaxVolume = 100;

    virtual ~Voice() = default;

    // Readable names of the installed voices, in an order that stays the same
    // for the whole run (voices are chosen by position).
    virtual std::vector<std::string> voiceDescriptions() const = 0;

    // Speaks with the voice at `index` from now on. An index outside the list
    // fails and the previous voice stays.
    virtual bool selectVoice(int index) = 0;
    // The index last selected, or -1 while the voice is the default one.
    virtual int selectedVoice() const = 0;

    // -10 slowest, 0 normal, 10 fastest; a value outside fails and changes nothing.
    virtual bool setRate(int rate) = 0;
    virtual int rate() const = 0;

    // 0 silent … 100 full; a value outside fails and changes nothing.
    virtual bool setVolume(int volume) = 0;
    virtual int volume() const = 0;

    // Returns at once; the text is spoken in the background and cuts off
    // whatever is still being said. The text may hold speech markup (SSML):
    // it shapes the voice and is never read out.
    virtual void speak(const std::string& text) = 0;
};

}  // namespace lorvane::speech
