#include "speech/audio_module.h"

#include "speech/qt_recorder.h"
#include "speech/sink_audio_output.h"

extern "C" {

lorvane::speech::AudioOutput* lorvane_make_audio_output() {
    return new lorvane::speech::SinkAudioOutput();
}

lorvane::speech::Recorder* lorvane_make_recorder() {
    return new lorvane::speech::QtRecorder();
}

}  // extern "C"
