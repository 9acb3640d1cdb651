#include "companion/engine/voice_settings.h"

#include "speech/voice.h"

namespace lorvane::companion {

VoiceSettings::VoiceSettings(speech::Voice& voice)
    : voice_(voice), voiceNames_(voice.voiceDescriptions()) {}

bool VoiceSettings::setCombo1(int index) {
    if (index < -1 || index >= static_cast<int>(voiceNames_.size())) {
        return false;
    }
    if (index != combo1_) {
        combo1_ = index;
        if (index >= 0) {
            voice_.selectVoice(index);
        }
    }
    return true;
}

bool VoiceSettings::setHScroll1(int rate) {
    if (rate < speech::Voice::kMinRate || rate > speech::Voice::kMaxRate) {
        return false;
    }
    if (rate != rate_) {
        rate_ = rate;
        voice_.setRate(rate);
    }
    return true;
}

bool VoiceSettings::setHScroll2(int volume) {
    if (volume < speech::Voice::kMinVolume || volume > speech::Voice::kMaxVolume) {
        return false;
    }
    if (volume != volume_) {
        volume_ = volume;
        voice_.setVolume(volume);
    }
    return true;
}

}  // namespace lorvane::companion
