#include "speech/ipa_notation.h"

#include <gtest/gtest.h>

using namespace lorvane::speech;

// espeak-ng marks the stressed vowel; the mark moves to the start of its
// syllable, taking the consonants English lets begin one.
TEST(IpaNotation, EspeakStressMarksMoveToTheStartOfTheSyllable) {
    EXPECT_EQ(ipaInDictionaryStyle("ˈæpəl"), "ˈæpəl");
    EXPECT_EQ(ipaInDictionaryStyle("bˈeɪbi"), "ˈbeɪbi");
    EXPECT_EQ(ipaInDictionaryStyle("ˌɪnfɚmˈeɪʃən"), "ˌɪnfɚˈmeɪʃən");
    EXPECT_EQ(ipaInDictionaryStyle("ɛkspˈɛɹɪmənt"), "ɛkˈspɛɹɪmənt");
    EXPECT_EQ(ipaInDictionaryStyle("ɛɡzˈæmpəl"), "ɛɡˈzæmpəl");
    EXPECT_EQ(ipaInDictionaryStyle("ɐbstɹˈækt"), "ɐbˈstɹækt");
    EXPECT_EQ(ipaInDictionaryStyle("stɹˈiːt"), "ˈstɹiːt");
    // An affricate is one sound; ŋ begins no syllable.
    EXPECT_EQ(ipaInDictionaryStyle("sədʒˈɛst"), "səˈdʒɛst");
    EXPECT_EQ(ipaInDictionaryStyle("fˈɪŋɡɚ"), "ˈfɪŋɡɚ");
    EXPECT_EQ(ipaInDictionaryStyle("sˈɪŋɚ"), "ˈsɪŋɚ");
    EXPECT_EQ(ipaInDictionaryStyle("ɪŋɡlˈɪʃ"), "ɪŋˈɡlɪʃ");
    // Secondary stress too, and each word on its own.
    EXPECT_EQ(ipaInDictionaryStyle("ɐ bjˈuːɾifəl bˈʌɾɚflˌaɪ"), "ɐ ˈbjuːɾifəl ˈbʌɾɚˌflaɪ");
    EXPECT_EQ(ipaInDictionaryStyle("  lˈʊk   æt "), "ˈlʊk æt");
    EXPECT_EQ(ipaInDictionaryStyle(""), "");
}

TEST(IpaNotation, FlitesDictionaryInIpa) {
    // apple: ae1 | p ax0 l
    EXPECT_EQ(ipaOfCmuWords({{{true, {"ae"}}, {false, {"p", "ax", "l"}}}}), "ˈæpəl");
    // the stressed and unstressed forms of ah and er
    EXPECT_EQ(ipaOfCmuWords({{{true, {"b", "ah", "t"}}, {false, {"er"}}}}), "ˈbʌtɚ");
    EXPECT_EQ(ipaOfCmuWords({{{true, {"b", "er", "d"}}}}), "ˈbɝd");
    // every consonant and vowel of the dictionary has its symbol
    EXPECT_EQ(ipaOfCmuWords(
                  {{{true, {"ch", "aa", "jh", "dh", "ao", "th", "aw", "sh", "ay", "zh", "eh", "ng",
                            "ey", "hh", "ih", "y",  "iy", "ow", "oy", "uh", "uw", "g",  "r"}}}}),
              "ˈtʃɑdʒðɔθaʊʃaɪʒɛŋeɪhɪjioʊɔɪʊuɡɹ");
    // Words apart; a pause or an unknown phone is no sound.
    EXPECT_EQ(
        ipaOfCmuWords({{{true, {"l", "uh", "k"}}}, {{false, {"pau"}}}, {{true, {"ae", "t"}}}}),
        "ˈlʊk ˈæt");
    EXPECT_EQ(ipaOfCmuWords({}), "");
}
