#pragma once

#include <espeak-ng/speak_lib.h>

#include <memory>
#include <string>

namespace lorvane::speech {

// libespeak-ng, loaded while this object lives, with the functions the voice
// uses. It is looked up at run time rather than by the program loader:
// without it the programs still start, and tell the learner what to install
// instead of ending with the loader's message on a terminal nobody sees.
class EspeakLibrary {
public:
    // Loads the library from `fileName` (searched like the program's own
    // libraries); null when it or one of its functions is missing. When
    // `audioStandIn` names a file, it is loaded first to stand in for
    // espeak-ng's audio library (see pcaudio_stand_in.cpp); a libespeak-ng
    // that wants more of that library than the stand-in has is loaded with
    // the real one.
    static std::unique_ptr<EspeakLibrary> load(const char* fileName,
                                               const std::string& audioStandIn);
    // The installed libespeak-ng, with the stand-in of the program folder.
    static std::unique_ptr<EspeakLibrary> loadInstalled();

    // Unloads the library. Whatever espeak-ng set up must have been ended
    // (`terminate`) or be meant to vanish with it.
    ~EspeakLibrary();
    EspeakLibrary(const EspeakLibrary&) = delete;
    EspeakLibrary& operator=(const EspeakLibrary&) = delete;

    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_Terminate) terminate = nullptr;
    decltype(&espeak_ListVoices) listVoices = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_TextToPhonemes) textToPhonemes = nullptr;

private:
    explicit EspeakLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace lorvane::speech
