// Whatever a lesson holds, libflite is given only what it can read: ASCII
// sentences with something to say, or pauses of at most ten seconds, at a
// speed it can keep and never louder than the learner's volume.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "speech/flite_markup.h"
#include "speech/speech_markup.h"

using lorvane::speech::FlitePiece;
using lorvane::speech::flitePiecesOfMarkup;
using lorvane::speech::safeSpeechMarkup;

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkPieces(const std::vector<FlitePiece>& pieces) {
    for (const FlitePiece& piece : pieces) {
        require(piece.speed >= 0.5 && piece.speed <= 2);
        require(piece.volume >= 0 && piece.volume <= 1);
        if (piece.text.empty()) {
            require(piece.pauseMs > 0 && piece.pauseMs <= 10000);
            continue;
        }
        require(piece.pauseMs == 0);
        for (const char c : piece.text) {
            require(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
        }
        require(std::any_of(piece.text.begin(), piece.text.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        }));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkPieces(flitePiecesOfMarkup(safeSpeechMarkup(text)));
    // Markup that did not pass the filter: read all the same, never trusted.
    checkPieces(flitePiecesOfMarkup(text));
    return 0;
}
