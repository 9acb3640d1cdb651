#include "speech/espeak_library.h"

#include <dlfcn.h>

#include "common/paths.h"
#include "speech/library_symbol.h"

namespace lorvane::speech {

namespace {

void* openWithStandIn(const char* fileName, const std::string& audioStandIn) {
    void* standIn =
        audioStandIn.empty() ? nullptr : dlopen(audioStandIn.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (standIn) {
        // Loaded as espeak-ng's own, it stays as long as espeak-ng does.
        dlclose(standIn);
        if (!library) {
            library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
        }
    }
    return library;
}

}  // namespace

std::unique_ptr<EspeakLibrary> EspeakLibrary::load(const char* fileName,
                                                   const std::string& audioStandIn) {
    void* handle = openWithStandIn(fileName, audioStandIn);
    if (!handle) {
        return nullptr;
    }
    std::unique_ptr<EspeakLibrary> library(new EspeakLibrary(handle));
    if (lookUpSymbol(handle, "espeak_Initialize", library->initialize) &&
        lookUpSymbol(handle, "espeak_Terminate", library->terminate) &&
        lookUpSymbol(handle, "espeak_ListVoices", library->listVoices) &&
        lookUpSymbol(handle, "espeak_SetSynthCallback", library->setSynthCallback) &&
        lookUpSymbol(handle, "espeak_SetVoiceByName", library->setVoiceByName) &&
        lookUpSymbol(handle, "espeak_SetParameter", library->setParameter) &&
        lookUpSymbol(handle, "espeak_Synth", library->synth) &&
        lookUpSymbol(handle, "espeak_TextToPhonemes", library->textToPhonemes)) {
        return library;
    }
    return nullptr;
}

std::unique_ptr<EspeakLibrary> EspeakLibrary::loadInstalled() {
    // The name the library is installed under, whatever its minor version.
    return load("libespeak-ng.so.1", common::programFolder() + "/lorvane-pcaudio-stand-in.so");
}

EspeakLibrary::~EspeakLibrary() {
    dlclose(handle_);
}

}  // namespace lorvane::speech
