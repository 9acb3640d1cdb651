#pragma once

#include "speech/audio_output.h"
#include "speech/recorder.h"

// The entry points of the audio module, "lorvane-audio.so" in the program
// folder: the speech output and the recorder on the desktop's audio server.
// Each returns a new object that the caller owns.
extern "C" {
lorvane::speech::AudioOutput* lorvane_make_audio_output();
lorvane::speech::Recorder* lorvane_make_recorder();
}
