#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lorvane::speech {

// The phonetic transcription of a word as a learner's dictionary writes it
// (IPA, a stress mark before the stressed syllable), from what each
// synthesiser knows of the word.

// A syllable as flite's pronouncing dictionary gives it: stressed or not,
// and its phones by their dictionary names ("ae", "p", "ax").
struct CmuSyllable {
    bool stressed = false;
    std::vector<std::string> phones;
};
using CmuWord = std::vector<CmuSyllable>;

// flite's dictionary keeps no secondary stress: every stressed syllable
// gets the one mark ("information" → ˈɪnfɚˈmeɪʃən). Words are separated by
// a space.
std::string ipaOfCmuWords(const std::vector<CmuWord>& words);

// espeak-ng writes a stress mark before the stressed vowel ("bˈeɪbi");
// dictionaries write it before the syllable, so it moves left over the
// consonants that can begin an English syllable ("ˈbeɪbi", "ɪkˈspɛɹɪmənt").
// Everything else is kept as espeak-ng writes it.
std::string ipaInDictionaryStyle(std::string_view espeakIpa);

}  // namespace lorvane::speech
