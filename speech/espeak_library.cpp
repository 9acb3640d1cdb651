#include "speech/espeak_library.h"

#include <dlfcn.h>

#include "speech/library_symbol.h"

namespace lorvane::speech {

std::optional<EspeakLibrary> loadEspeakLibrary(const char* fileName) {
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return std::nullopt;
    }
    EspeakLibrary functions{};
    if (lookUpSymbol(library, "espeak_Initialize", functions.initialize) &&
        lookUpSymbol(library, "espeak_ListVoices", functions.listVoices) &&
        lookUpSymbol(library, "espeak_SetSynthCallback", functions.setSynthCallback) &&
        lookUpSymbol(library, "espeak_SetVoiceByName", functions.setVoiceByName) &&
        lookUpSymbol(library, "espeak_SetParameter", functions.setParameter) &&
        lookUpSymbol(library, "espeak_Synth", functions.synth) &&
        lookUpSymbol(library, "espeak_TextToPhonemes", functions.textToPhonemes)) {
        return functions;
    }
    dlclose(library);
    return std::nullopt;
}

const EspeakLibrary* installedEspeakLibrary() {
    // The name the library is installed under, whatever its minor version.
    static const std::optional<EspeakLibrary> library = loadEspeakLibrary("libespeak-ng.so.1");
    return library ? &*library : nullptr;
}

}  // namespace lorvane::speech
