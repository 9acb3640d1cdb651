#include "speech/espeak_library.h"

#include <dlfcn.h>

namespace lorvane::speech {

namespace {

template <typename Function>
bool lookUp(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace

std::optional<EspeakLibrary> loadEspeakLibrary(const char* fileName) {
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return std::nullopt;
    }
    EspeakLibrary functions{};
    if (lookUp(library, "espeak_Initialize", functions.initialize) &&
        lookUp(library, "espeak_ListVoices", functions.listVoices) &&
        lookUp(library, "espeak_SetSynthCallback", functions.setSynthCallback) &&
        lookUp(library, "espeak_SetVoiceByName", functions.setVoiceByName) &&
        lookUp(library, "espeak_SetParameter", functions.setParameter) &&
        lookUp(library, "espeak_Synth", functions.synth)) {
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
