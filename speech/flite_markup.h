#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lorvane::speech {

// What libflite is given to say. flite's own markup reader is never used:
// it hangs on a slow rate keyword, crashes on an unclosed tag, and opens
// files named in the markup. Instead the markup that safeSpeechMarkup has
// let through is read here and turned into plain English text, a sentence
// at a time, with what flite can honour carried beside it:
//   - p and s end a sentence; break is a pause of its time or strength;
//   - prosody rate and volume change the speed and loudness of their text
//     (never louder than the learner's volume);
//   - say-as characters or spell-out spells its text letter by letter;
//   - sub says its alias instead of its text;
//   - speak, voice, emphasis and prosody's pitch keep their text and
//     change nothing (the chosen voice keeps speaking).
// Nothing of the markup ever becomes a file, a voice or an address.
//
// flite reads ASCII only: accented letters lose their accents, full-width
// letters and punctuation become their ASCII forms, and what has none
// (Chinese, say) is left out. A piece with no letter or digit is dropped:
// there is nothing in it to say.
struct FlitePiece {
    std::string text;   // ASCII, one sentence or part of one; empty for a pause
    int pauseMs = 0;    // a pause instead of text
    double speed = 1;   // times the learner's rate, 0.5 … 2
    double volume = 1;  // times the learner's volume, 0 … 1
};

// The pieces of markup that safeSpeechMarkup has filtered.
std::vector<FlitePiece> flitePiecesOfMarkup(std::string_view filteredMarkup);

// UTF-8 text as flite can read it (see above); line breaks are kept.
std::string asciiForFlite(std::string_view text);

}  // namespace lorvane::speech
