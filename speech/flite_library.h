#pragma once

#include <flite/flite.h>

#include <optional>

namespace lorvane::speech {

// libflite's natural English voices are an optional extra: the library and
// each voice are looked up when the program starts rather than by the
// program loader, so a machine without them still speaks with espeak-ng.

// The functions of libflite that the voice uses.
struct FliteLibrary {
    decltype(&flite_init) init;
    decltype(&new_utterance) newUtterance;
    decltype(&delete_utterance) deleteUtterance;
    decltype(&utt_set_input_text) setInputText;
    decltype(&flite_do_synth) doSynth;
    // Text to sound, and text to phones only (no sound is made).
    decltype(&utt_synth) synthesise;
    decltype(&utt_synth) analyse;  // utt_synth_text2segs, in no header
    decltype(&feat_set) setFeature;
    decltype(&feat_set_float) setFloatFeature;
    decltype(&new_audio_streaming_info) newStreamingInfo;
    decltype(&audio_streaming_info_val) streamingInfoValue;
    decltype(&utt_relation) relation;
    decltype(&relation_head) relationHead;
    decltype(&item_next) next;
    decltype(&item_daughter) daughter;
    decltype(&item_as) as;
    decltype(&item_feat_float) floatFeature;
    decltype(&item_feat_string) stringFeature;
};

// Loads libflite from `fileName` (searched like the program's own
// libraries); nothing when it or one of its functions is missing. It stays
// loaded for the rest of the run: its voices are never released.
std::optional<FliteLibrary> loadFliteLibrary(const char* fileName);

// A voice's registration: makes the voice, once per process, and returns
// it; null when it cannot be made.
using FliteVoiceRegistration = cst_voice* (*)(const char* voiceDirectory);

// Opens the library of one voice and finds `registrationName` in it; null
// when either is missing. The voice's own libraries (the US English front
// end and the pronouncing dictionary) come with it.
FliteVoiceRegistration openFliteVoice(const char* fileName, const char* registrationName);

}  // namespace lorvane::speech
