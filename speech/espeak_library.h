#pragma once

#include <espeak-ng/speak_lib.h>

#include <optional>

namespace lorvane::speech {

// The functions of libespeak-ng that the voice uses, looked up when the
// voice is first made rather than by the program loader. Without the
// library the programs still start, and tell the learner what to install
// instead of ending with the loader's message on a terminal nobody sees.
struct EspeakLibrary {
    decltype(&espeak_Initialize) initialize;
    decltype(&espeak_ListVoices) listVoices;
    decltype(&espeak_SetSynthCallback) setSynthCallback;
    decltype(&espeak_SetVoiceByName) setVoiceByName;
    decltype(&espeak_SetParameter) setParameter;
    decltype(&espeak_Synth) synth;
};

// Loads the library from `fileName` (searched like the program's own
// libraries); nothing when it or one of its functions is missing. The
// library stays loaded for the rest of the run.
std::optional<EspeakLibrary> loadEspeakLibrary(const char* fileName);

// The installed libespeak-ng, loaded once; null when there is none.
const EspeakLibrary* installedEspeakLibrary();

}  // namespace lorvane::speech
