#include "speech/late_audio.h"

#include <cerrno>  // program_invocation_short_name
#include <cstdio>
#include <string>

#include "common/paths.h"
#include "speech/audio_module.h"
#include "speech/library_symbol.h"

namespace lorvane::speech {

namespace {

struct AudioModule {
    decltype(&lorvane_make_audio_output) makeOutput = nullptr;
    decltype(&lorvane_make_recorder) makeRecorder = nullptr;
};

// Loaded once, by whichever of the two needs it first; never unloaded.
const AudioModule& audioModule() {
    static const AudioModule module = [] {
        AudioModule found;
        const std::string path = common::programFolder() + "/lorvane-audio.so";
        void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            std::fprintf(stderr, "%s: no sound: %s\n", program_invocation_short_name, dlerror());
            return found;
        }
        if (!lookUpSymbol(library, "lorvane_make_audio_output", found.makeOutput) ||
            !lookUpSymbol(library, "lorvane_make_recorder", found.makeRecorder)) {
            std::fprintf(stderr, "%s: no sound: %s is not this program's audio module\n",
                         program_invocation_short_name, path.c_str());
            found = {};
        }
        return found;
    }();
    return module;
}

}  // namespace

LateAudioOutput::LateAudioOutput() = default;
LateAudioOutput::~LateAudioOutput() = default;

AudioOutput* LateAudioOutput::real() {
    if (!real_ && audioModule().makeOutput) {
        real_.reset(audioModule().makeOutput());
    }
    return real_.get();
}

void LateAudioOutput::play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) {
    if (AudioOutput* output = real()) {
        output->play(std::move(samples), sampleRate, afterCurrent);
    }
}

void LateAudioOutput::stop() {
    if (real_) {
        real_->stop();  // before the first sound nothing plays
    }
}

void LateAudioOutput::prepare(int sampleRate) {
    if (AudioOutput* output = real()) {
        output->prepare(sampleRate);
    }
}

LateRecorder::LateRecorder() = default;
LateRecorder::~LateRecorder() = default;

void LateRecorder::startRecording() {
    if (!real_ && audioModule().makeRecorder) {
        real_.reset(audioModule().makeRecorder());
    }
    if (real_) {
        real_->startRecording();
    }
}

// Before the first recording there is nothing to stop, play or throw away.
void LateRecorder::stopRecording() {
    if (real_) {
        real_->stopRecording();
    }
}

void LateRecorder::play(long fromMs, long toMs) {
    if (real_) {
        real_->play(fromMs, toMs);
    }
}

void LateRecorder::reset() {
    if (real_) {
        real_->reset();
    }
}

long LateRecorder::position() const {
    return real_ ? real_->position() : 0;
}

}  // namespace lorvane::speech
