#include "speech/flite_library.h"

#include <dlfcn.h>

#include "speech/library_symbol.h"

namespace lorvane::speech {

std::optional<FliteLibrary> loadFliteLibrary(const char* fileName) {
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return std::nullopt;
    }
    FliteLibrary functions{};
    if (lookUpSymbol(library, "flite_init", functions.init) &&
        lookUpSymbol(library, "new_utterance", functions.newUtterance) &&
        lookUpSymbol(library, "delete_utterance", functions.deleteUtterance) &&
        lookUpSymbol(library, "utt_set_input_text", functions.setInputText) &&
        lookUpSymbol(library, "flite_do_synth", functions.doSynth) &&
        lookUpSymbol(library, "utt_synth", functions.synthesise) &&
        lookUpSymbol(library, "utt_synth_text2segs", functions.analyse) &&
        lookUpSymbol(library, "feat_set", functions.setFeature) &&
        lookUpSymbol(library, "feat_set_float", functions.setFloatFeature) &&
        lookUpSymbol(library, "new_audio_streaming_info", functions.newStreamingInfo) &&
        lookUpSymbol(library, "audio_streaming_info_val", functions.streamingInfoValue) &&
        lookUpSymbol(library, "utt_relation", functions.relation) &&
        lookUpSymbol(library, "relation_head", functions.relationHead) &&
        lookUpSymbol(library, "item_next", functions.next) &&
        lookUpSymbol(library, "item_daughter", functions.daughter) &&
        lookUpSymbol(library, "item_as", functions.as) &&
        lookUpSymbol(library, "item_feat_float", functions.floatFeature) &&
        lookUpSymbol(library, "item_feat_string", functions.stringFeature)) {
        return functions;
    }
    dlclose(library);
    return std::nullopt;
}

FliteVoiceRegistration openFliteVoice(const char* fileName, const char* registrationName) {
    // Never closed: a registered voice lives in the library's own memory.
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return nullptr;
    }
    FliteVoiceRegistration registration = nullptr;
    if (!lookUpSymbol(library, registrationName, registration)) {
        dlclose(library);
        return nullptr;
    }
    return registration;
}

}  // namespace lorvane::speech
