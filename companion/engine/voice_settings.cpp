#include "companion/engine/voice_settings.h"

#include "speech/voice.h"

namespace lorvane::companion {

VoiceSettings::VoiceSettings(speech::Voice& voice)
    : voice_(voice), voiceNames_(voice.voiceDescriptions()) {}

bool VoiceSettings::selectVoice(int index) {
    if (index < -1 || index >= static_cast<int>(voiceNames_.size())) {
        return false;
    }
    if (index != voiceIndex_) {
        voiceIndex_ = index;
        if (index >= 0) {
            // Checked above against the voice's own list: it can't refuse.
            (void)voice_.selectVoice(index);
        }
    }
    return true;
}

bool VoiceSettings::setRate(int rate) {
    if (rate < speech::Voice::kMinRate || rate > speech::Voice::kMaxRate) {
        return false;
    }
    if (rate != rate_) {
        rate_ = rate;
        (void)voice_.setRate(rate);  // within the voice's range, checked above
    }
    return true;
}

bool VoiceSettings::setVolume(int volume) {
    if (volume < speech::Voice::kMinVolume || volume > speech::Voice::kMaxVolume) {
        return false;
    }
    if (volume != volume_) {
        volume_ = volume;
        (void)voice_.setVolume(volume);  // within the voice's range, checked above
    }
    return true;
}

}  // namespace lorvane::companion
