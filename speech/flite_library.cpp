#include "speech/flite_library.h"

#include <dlfcn.h>

namespace lorvane::speech {

namespace {

template <typename Function>
bool lookUp(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace

std::optional<FliteLibrary> loadFliteLibrary(const char* fileName) {
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return std::nullopt;
    }
    FliteLibrary functions{};
    if (lookUp(library, "flite_init", functions.init) &&
        lookUp(library, "new_utterance", functions.newUtterance) &&
        lookUp(library, "delete_utterance", functions.deleteUtterance) &&
        lookUp(library, "utt_set_input_text", functions.setInputText) &&
        lookUp(library, "flite_do_synth", functions.doSynth) &&
        lookUp(library, "utt_synth", functions.synthesise) &&
        lookUp(library, "utt_synth_text2segs", functions.analyse) &&
        lookUp(library, "feat_set", functions.setFeature) &&
        lookUp(library, "feat_set_float", functions.setFloatFeature) &&
        lookUp(library, "new_audio_streaming_info", functions.newStreamingInfo) &&
        lookUp(library, "audio_streaming_info_val", functions.streamingInfoValue) &&
        lookUp(library, "utt_relation", functions.relation) &&
        lookUp(library, "relation_head", functions.relationHead) &&
        lookUp(library, "item_next", functions.next) &&
        lookUp(library, "item_daughter", functions.daughter) &&
        lookUp(library, "item_as", functions.as) &&
        lookUp(library, "item_feat_float", functions.floatFeature) &&
        lookUp(library, "item_feat_string", functions.stringFeature)) {
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
    if (!lookUp(library, registrationName, registration)) {
        dlclose(library);
        return nullptr;
    }
    return registration;
}

}  // namespace lorvane::speech
