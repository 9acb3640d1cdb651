// A stand-in for libpcaudio, espeak-ng's audio library, with nothing behind
// it.
//
// espeak-ng hands its samples to the voice's callback and never plays them
// itself, so it never calls into libpcaudio; but loading the real one brings
// in the audio server's client libraries, some twenty of them (2.3 MB and
// 8 ms at every start, and libpulse can't be unloaded again). The voice
// loads this file first; carrying the real library's name ("libpcaudio.so.0",
// set by the build), it is taken for it when espeak-ng is loaded. Sound goes
// through the audio module instead, at the first sound.
//
// Every function fails, so that espeak-ng's own audio output, were it ever
// asked for, would say there is no device rather than pretend to play.
#include <cstddef>
#include <cstdint>

struct audio_object;

// libpcaudio's functions, as espeak-ng calls them.
extern "C" {
audio_object* create_audio_device_object(const char* device, const char* application,
                                         const char* description);
int audio_object_open(audio_object* object, int format, std::uint32_t rate, std::uint8_t channels);
void audio_object_close(audio_object* object);
void audio_object_destroy(audio_object* object);
int audio_object_write(audio_object* object, const void* data, std::size_t bytes);
int audio_object_drain(audio_object* object);
int audio_object_flush(audio_object* object);
const char* audio_object_strerror(audio_object* object, int error);
}

extern "C" {

audio_object* create_audio_device_object(const char* /*device*/, const char* /*application*/,
                                         const char* /*description*/) {
    return nullptr;
}

int audio_object_open(audio_object* /*object*/, int /*format*/, std::uint32_t /*rate*/,
                      std::uint8_t /*channels*/) {
    return -1;
}

void audio_object_close(audio_object* /*object*/) {}

void audio_object_destroy(audio_object* /*object*/) {}

int audio_object_write(audio_object* /*object*/, const void* /*data*/, std::size_t /*bytes*/) {
    return -1;
}

int audio_object_drain(audio_object* /*object*/) {
    return -1;
}

int audio_object_flush(audio_object* /*object*/) {
    return -1;
}

const char* audio_object_strerror(audio_object* /*object*/, int /*error*/) {
    return "no audio device: espeak-ng's samples go to the program";
}

}  // extern "C"
