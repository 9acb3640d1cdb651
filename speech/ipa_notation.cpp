#include "speech/ipa_notation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "common/utf8_text.h"

namespace lorvane::speech {

namespace {

constexpr std::string_view kPrimaryStress = "ˈ";
constexpr std::string_view kSecondaryStress = "ˌ";

std::string_view ipaOfCmuPhone(std::string_view phone, bool stressed) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 37> kPhones = {{
        {"aa", "ɑ"}, {"ae", "æ"},  {"ao", "ɔ"}, {"aw", "aʊ"}, {"ax", "ə"},  {"ay", "aɪ"},
        {"eh", "ɛ"}, {"ey", "eɪ"}, {"ih", "ɪ"}, {"iy", "i"},  {"ow", "oʊ"}, {"oy", "ɔɪ"},
        {"uh", "ʊ"}, {"uw", "u"},  {"b", "b"},  {"ch", "tʃ"}, {"d", "d"},   {"dh", "ð"},
        {"f", "f"},  {"g", "ɡ"},   {"hh", "h"}, {"jh", "dʒ"}, {"k", "k"},   {"l", "l"},
        {"m", "m"},  {"n", "n"},   {"ng", "ŋ"}, {"p", "p"},   {"r", "ɹ"},   {"s", "s"},
        {"sh", "ʃ"}, {"t", "t"},   {"th", "θ"}, {"v", "v"},   {"w", "w"},   {"y", "j"},
        {"z", "z"},
    }};
    if (phone == "ah") {
        return stressed ? "ʌ" : "ə";
    }
    if (phone == "er") {
        return stressed ? "ɝ" : "ɚ";
    }
    if (phone == "zh") {
        return "ʒ";
    }
    for (const auto& [name, ipa] : kPhones) {
        if (name == phone) {
            return ipa;
        }
    }
    return {};  // a pause, or nothing a learner would read
}

// --- espeak-ng's IPA, cut into phonemes ---

struct Unit {
    std::string text;
    bool stress = false;  // a stress mark
    bool vowel = false;
};

bool startsWithVowel(std::string_view text) {
    static constexpr std::array<std::string_view, 26> kVowels = {
        "a", "e", "i", "o", "u", "y", "æ", "ɑ", "ɒ", "ɔ", "ə", "ɚ", "ɝ",
        "ɜ", "ɛ", "ɪ", "ᵻ", "ʊ", "ʌ", "ɐ", "ø", "œ", "ɯ", "ɤ", "ɨ", "ʉ"};
    return std::any_of(kVowels.begin(), kVowels.end(),
                       [text](std::string_view v) { return text.starts_with(v); });
}

// Length, syllabic and other marks that belong to the phoneme before them.
bool isModifier(std::string_view character) {
    if (character == "ː" || character == "ˑ" || character == "ʰ" || character == "ʲ" ||
        character == "ʷ") {
        return true;
    }
    // Combining diacritics, U+0300 … U+036F.
    return character.size() == 2 && static_cast<unsigned char>(character[0]) >= 0xCC &&
           static_cast<unsigned char>(character[0]) <= 0xCD;
}

std::vector<Unit> unitsOf(std::string_view word) {
    std::vector<Unit> units;
    std::size_t pos = 0;
    while (pos < word.size()) {
        const std::string_view character = common::utf8::left(word.substr(pos), 1);
        pos += character.size();
        if (character == kPrimaryStress || character == kSecondaryStress) {
            units.push_back({std::string(character), true, false});
        } else if (isModifier(character) && !units.empty() && !units.back().stress) {
            units.back().text += character;
            if (character == "\u0329") {
                units.back().vowel = true;  // a syllabic consonant carries a syllable
            }
        } else if (!units.empty() && !units.back().stress && !units.back().vowel &&
                   ((units.back().text == "t" && character == "ʃ") ||
                    (units.back().text == "d" && character == "ʒ"))) {
            units.back().text += character;  // an affricate is one sound
        } else {
            units.push_back({std::string(character), false, startsWithVowel(character)});
        }
    }
    return units;
}

// Whether the consonants can begin an English syllable.
bool isOnset(const std::vector<std::string>& consonants) {
    static constexpr std::array<std::string_view, 52> kClusters = {
        "p ɹ",   "b ɹ",   "t ɹ",   "d ɹ",   "k ɹ",   "ɡ ɹ",   "f ɹ",   "θ ɹ",   "ʃ ɹ",
        "p l",   "b l",   "k l",   "ɡ l",   "f l",   "s l",   "t w",   "d w",   "k w",
        "ɡ w",   "θ w",   "s w",   "p j",   "b j",   "k j",   "ɡ j",   "f j",   "v j",
        "m j",   "h j",   "s p",   "s t",   "s k",   "s m",   "s n",   "s f",   "s p ɹ",
        "s t ɹ", "s k ɹ", "s p l", "s k l", "s k w", "s p j", "s k j", "s t j", "t j",
        "d j",   "n j",   "l j",   "p r",   "t r",   "k r",   "s t r"};
    if (consonants.size() == 1) {
        return consonants[0].substr(0, 2) != "ŋ";
    }
    std::string joined;
    for (const std::string& c : consonants) {
        if (!joined.empty()) {
            joined += ' ';
        }
        // g and ɡ are the same sound; length marks don't change a cluster.
        joined += c == "g" ? std::string("ɡ") : c.substr(0, c.find("ː"));
    }
    return std::find(kClusters.begin(), kClusters.end(), joined) != kClusters.end();
}

std::string restyleWord(std::string_view word) {
    std::vector<Unit> units = unitsOf(word);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (!units[i].stress) {
            continue;
        }
        // The consonants right before the mark, back to a vowel, another
        // mark or the start of the word.
        std::size_t first = i;
        while (first > 0 && !units[first - 1].stress && !units[first - 1].vowel) {
            --first;
        }
        std::size_t onset = i;
        if (first == 0) {
            onset = 0;  // at the start of a word every consonant begins it
        } else {
            for (std::size_t start = first; start < i; ++start) {
                std::vector<std::string> consonants;
                for (std::size_t k = start; k < i; ++k) {
                    consonants.push_back(units[k].text);
                }
                if (isOnset(consonants)) {
                    onset = start;
                    break;
                }
            }
        }
        if (onset < i) {
            Unit mark = std::move(units[i]);
            units.erase(units.begin() + static_cast<std::ptrdiff_t>(i));
            units.insert(units.begin() + static_cast<std::ptrdiff_t>(onset), std::move(mark));
        }
    }
    std::string out;
    for (const Unit& unit : units) {
        out += unit.text;
    }
    return out;
}

}  // namespace

std::string ipaOfCmuWords(const std::vector<CmuWord>& words) {
    std::string out;
    for (const CmuWord& word : words) {
        std::string written;
        for (const CmuSyllable& syllable : word) {
            std::string sounds;
            for (const std::string& phone : syllable.phones) {
                sounds += ipaOfCmuPhone(phone, syllable.stressed);
            }
            if (!sounds.empty() && syllable.stressed) {
                written += kPrimaryStress;
            }
            written += sounds;
        }
        if (written.empty()) {
            continue;
        }
        if (!out.empty()) {
            out += ' ';
        }
        out += written;
    }
    return out;
}

std::string ipaInDictionaryStyle(std::string_view espeakIpa) {
    std::string out;
    std::size_t pos = 0;
    while (pos < espeakIpa.size()) {
        const std::size_t space = espeakIpa.find_first_of(" \n\t", pos);
        const std::string_view word =
            espeakIpa.substr(pos, space == std::string_view::npos ? space : space - pos);
        if (!word.empty()) {
            if (!out.empty()) {
                out += ' ';
            }
            out += restyleWord(word);
        }
        if (space == std::string_view::npos) {
            break;
        }
        pos = space + 1;
    }
    return out;
}

}  // namespace lorvane::speech
