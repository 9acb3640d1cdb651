#pragma once

#include <string>

namespace lorvane::speech {

// Tells how an English word is pronounced, for the learner to read.
class PhoneticTranscriber {
public:
    virtual ~PhoneticTranscriber() = default;

    // The phonetic transcription (IPA) of an English word or phrase, as a
    // learner's dictionary writes it, between slashes: "/ˈæpəl/". Empty
    // when there is none.
    virtual std::string transcription(const std::string& english) = 0;
};

}  // namespace lorvane::speech
