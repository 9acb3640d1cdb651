// The words of the given lessons whose pronunciation differs between
// espeak-ng (its first English voice, American) and libflite (its
// pronouncing dictionary and rules), each as the trainer's tooltip shows it.
// Prints one line per word, tab-separated: the word, espeak-ng's and
// flite's transcription, and how they differ:
//   sound   the sounds differ, beyond the vowels of unstressed syllables;
//   stress  the same sounds, but the main stress on another syllable;
//   weak    only unstressed vowels, or notation, differ;
// identical words are left out. A count of each kind goes to stderr.
//   pronunciation_differences LESSON.txt...
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "common/lesson_entry.h"
#include "common/lesson_reader.h"
#include "speech/espeak_engine.h"
#include "speech/flite_engine.h"
#include "speech/ipa_notation.h"

using namespace lorvane::common;
using namespace lorvane::speech;

namespace {

struct Phoneme {
    std::string sound;
    int stress = 0;  // vowels: 0 none, 1 primary, 2 secondary
    bool vowel = false;
};

bool startsWith(const std::string& text, std::size_t at, std::string_view part) {
    return text.compare(at, part.size(), part) == 0;
}

// A transcription cut into phonemes, each vowel with the stress of its
// syllable; length marks dropped.
std::vector<Phoneme> phonemesOf(const std::string& ipa) {
    static const std::vector<std::string_view> kMulti = {"aɪ", "aʊ", "eɪ", "oʊ", "ɔɪ", "tʃ", "dʒ"};
    static const std::vector<std::string_view> kVowels = {"a", "e", "i", "o", "u", "æ", "ɑ",
                                                          "ɒ", "ɔ", "ə", "ɚ", "ɝ", "ɜ", "ɛ",
                                                          "ɪ", "ᵻ", "ʊ", "ʌ", "ɐ"};
    std::vector<Phoneme> out;
    int pending = 0;
    std::size_t i = 0;
    while (i < ipa.size()) {
        if (startsWith(ipa, i, "ˈ") || startsWith(ipa, i, "ˌ")) {
            pending = startsWith(ipa, i, "ˈ") ? 1 : 2;
            i += 2;
            continue;
        }
        if (ipa[i] == ' ' || ipa[i] == '/' || startsWith(ipa, i, "ː")) {
            i += ipa[i] == ' ' || ipa[i] == '/' ? 1 : 2;
            continue;
        }
        std::string sound;
        for (const std::string_view m : kMulti) {
            if (startsWith(ipa, i, m)) {
                sound = m;
            }
        }
        if (sound.empty()) {
            const auto lead = static_cast<unsigned char>(ipa[i]);
            sound = ipa.substr(i, lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4);
        }
        i += sound.size();
        Phoneme p{sound, 0, false};
        p.vowel = std::any_of(kVowels.begin(), kVowels.end(),
                              [&](std::string_view v) { return sound.starts_with(v); });
        if (p.vowel) {
            // A syllable marked at its start passes the stress to its vowel.
            p.stress = pending;
            pending = 0;
        }
        out.push_back(p);
    }
    return out;
}

// The two engines' ways of writing the same sound brought together.
std::vector<Phoneme> normalised(const std::vector<Phoneme>& in) {
    std::vector<Phoneme> out;
    for (Phoneme p : in) {
        if (p.sound == "ɜ" || p.sound == "ɝ") {
            p.sound = "ɚ";
        } else if (p.sound == "ɐ") {
            p.sound = "ə";
        } else if (p.sound == "ᵻ") {
            p.sound = "ɪ";
        } else if (p.sound == "o") {
            p.sound = "oʊ";
        } else if (p.sound == "ʔ") {
            p.sound = "t";
        }
        const std::string previous = out.empty() ? "" : out.back().sound;
        if (p.sound == "ɹ" && previous == "ɚ") {
            continue;  // ɚɹ is ɚ
        }
        if (p.sound == "ɹ" && previous == "ʌ") {
            out.back().sound = "ɚ";  // hurry: ʌɹ is ɝ
            continue;
        }
        if (p.sound == "ɹ" && previous == "oʊ") {
            out.back().sound = "ɔ";  // oːɹ is ɔɹ
        }
        if (p.sound == "ɚ" && (previous == "aɪ" || previous == "aʊ")) {
            p.sound = "ɹ";  // fire
        }
        if ((p.sound == "k" || p.sound == "ɡ") && previous == "n") {
            out.back().sound = "ŋ";
        }
        out.push_back(p);
    }
    for (std::size_t i = 0; i + 2 < out.size(); ++i) {
        if (out[i].sound == "i" && out[i + 1].sound == "ə" && out[i + 2].sound == "ɹ") {
            out[i].sound = "ɪ";  // near: iəɹ is ɪɹ
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
    }
    return out;
}

bool sameSound(const Phoneme& a, const Phoneme& b) {
    const auto flap = [](const Phoneme& x, const Phoneme& y) {
        return x.sound == "ɾ" && (y.sound == "t" || y.sound == "d");
    };
    return a.sound == b.sound || flap(a, b) || flap(b, a);
}

// Unstressed vowels are where dictionaries disagree most and a learner
// hears least.
bool sameAsHeard(const Phoneme& a, const Phoneme& b) {
    if (sameSound(a, b)) {
        return true;
    }
    static const std::set<std::string> kReduced = {"ə", "ɪ", "ʌ"};
    const bool oneUnstressed = a.stress == 0 || b.stress == 0;
    return (a.vowel && b.vowel && a.stress == 0 && b.stress == 0) ||
           (oneUnstressed && kReduced.count(a.sound) && kReduced.count(b.sound));
}

template <typename Same>
std::size_t distance(const std::vector<Phoneme>& a, const std::vector<Phoneme>& b, Same same) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
        }
    }
    return d[a.size()][b.size()];
}

// Same sounds, but espeak-ng's main stress on a syllable flite leaves
// unstressed (flite knows no secondary stress, so only that is compared).
bool stressMoved(const std::vector<Phoneme>& espeak, const std::vector<Phoneme>& flite) {
    if (espeak.size() != flite.size()) {
        return false;
    }
    int vowels = 0;
    bool moved = false;
    for (std::size_t i = 0; i < espeak.size(); ++i) {
        vowels += espeak[i].vowel ? 1 : 0;
        moved = moved || (espeak[i].stress == 1 && flite[i].stress == 0);
    }
    return vowels > 1 && moved;
}

std::set<std::string> lessonWords(int count, char** paths) {
    std::set<std::string> words;
    for (int i = 0; i < count; ++i) {
        const auto lines = readLessonEntries(paths[i]);
        if (!lines) {
            std::cerr << "cannot read " << paths[i] << "\n";
            continue;
        }
        for (const std::string_view line : lines.value().entries.lines) {
            std::string word;
            for (const char c : splitEntry(line).english + " ") {
                if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'') {
                    word += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                } else if (!word.empty()) {
                    words.insert(word);
                    word.clear();
                }
            }
        }
    }
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EspeakEngine* espeak = EspeakEngine::instance();
    FliteEngine* flite = FliteEngine::instance();
    if (!espeak || !flite) {
        std::cerr << "needs espeak-ng and libflite with its voices\n";
        return 1;
    }
    int compared = 0;
    int sound = 0;
    int stress = 0;
    int weak = 0;
    for (const std::string& word : lessonWords(argc - 1, argv + 1)) {
        const std::string e = ipaInDictionaryStyle(espeak->phonemes(word));
        const std::string f = ipaOfCmuWords(flite->pronunciation(word));
        ++compared;
        const auto ep = normalised(phonemesOf(e));
        const auto fp = normalised(phonemesOf(f));
        const char* kind = nullptr;
        if (distance(ep, fp, sameAsHeard) > 0) {
            kind = "sound";
            ++sound;
        } else if (stressMoved(ep, fp)) {
            kind = "stress";
            ++stress;
        } else if (distance(ep, fp, sameSound) > 0) {
            kind = "weak";
            ++weak;
        }
        if (kind) {
            std::cout << word << "\t/" << e << "/\t/" << f << "/\t" << kind << "\n";
        }
    }
    std::cerr << compared << " words: " << sound << " differ in sound, " << stress
              << " in the main stress, " << weak << " only in unstressed vowels or notation\n";
    return 0;
}
