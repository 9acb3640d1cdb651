#include "speech/flite_markup.h"

#include <gtest/gtest.h>

#include "speech/speech_markup.h"

using namespace lorvane::speech;

namespace {

std::vector<std::string> textsOf(const std::vector<FlitePiece>& pieces) {
    std::vector<std::string> texts;
    for (const FlitePiece& piece : pieces) {
        texts.push_back(piece.text.empty() ? "<" + std::to_string(piece.pauseMs) + "ms>"
                                           : piece.text);
    }
    return texts;
}

// What flite is given for a learner's text: it goes through the filter first.
std::vector<FlitePiece> piecesOf(std::string_view markup) {
    return flitePiecesOfMarkup(safeSpeechMarkup(markup));
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(FliteMarkup, ATextIsSpokenSentenceBySentence) {
    EXPECT_EQ(textsOf(piecesOf("apple")), Texts{"apple"});
    EXPECT_EQ(textsOf(piecesOf("I like apples. Do you? Yes!  ")),
              (Texts{"I like apples.", "Do you?", "Yes!"}));
    // Full stops that end no sentence.
    EXPECT_EQ(textsOf(piecesOf("Mr. Smith paid 3.50 dollars, e.g. for J. K. Rowling's book.")),
              Texts{"Mr. Smith paid 3.50 dollars, e.g. for J. K. Rowling's book."});
    EXPECT_EQ(textsOf(piecesOf("He said \"Stop.\" Then he left")),
              (Texts{"He said \"Stop.\"", "Then he left"}));
    EXPECT_EQ(textsOf(piecesOf("<p>First part</p><p>second part</p>")),
              (Texts{"First part", "second part"}));
    EXPECT_EQ(textsOf(piecesOf("<s>one</s><s>two</s>")), (Texts{"one", "two"}));
    // The filter has made line breaks spaces.
    EXPECT_EQ(textsOf(piecesOf("one\ntwo")), Texts{"one two"});
}

// flite hears a stop only between its blocks of sound, once it has analysed
// a whole piece: a long sentence comes in parts, after a comma where it can.
TEST(FliteMarkup, ALongSentenceComesInParts) {
    std::string words;
    for (int i = 0; i < 20; ++i) {
        words += "word ";
    }
    const auto pieces = piecesOf(words + "and then, " + words + words + "end.");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].text, words + "and then,");
    for (const FlitePiece& piece : pieces) {
        const auto count = std::count(piece.text.begin(), piece.text.end(), ' ') + 1;
        EXPECT_LE(count, 30) << piece.text;
    }
    EXPECT_TRUE(pieces[2].text.ends_with("word end.")) << pieces[2].text;
    // A run of letters without spaces stays one piece.
    EXPECT_EQ(piecesOf(std::string(500, 'a')).size(), 1u);
}

TEST(FliteMarkup, BreaksArePauses) {
    EXPECT_EQ(textsOf(piecesOf("one <break time=\"750ms\"/> two")),
              (Texts{"one", "<750ms>", "two"}));
    EXPECT_EQ(textsOf(piecesOf("one<break time=\"2s\"/>two")), (Texts{"one", "<2000ms>", "two"}));
    EXPECT_EQ(textsOf(piecesOf("one<break strength=\"strong\"/>two")),
              (Texts{"one", "<700ms>", "two"}));
    EXPECT_EQ(textsOf(piecesOf("one<break/>two")), (Texts{"one", "<400ms>", "two"}));
    EXPECT_EQ(textsOf(piecesOf("one<break strength=\"none\"/>two")), (Texts{"one", "two"}));
    // Pauses in a row add up, to ten seconds at most.
    EXPECT_EQ(textsOf(piecesOf("a<break time=\"8s\"/><break time=\"9s\"/>b")),
              (Texts{"a", "<10000ms>", "b"}));
}

TEST(FliteMarkup, ProsodyChangesSpeedAndLoudnessOfItsText) {
    const auto pieces = piecesOf(
        "say <prosody rate=\"x-slow\">apple</prosody> and <prosody rate=\"+50%\" "
        "volume=\"soft\">pear <prosody rate=\"fast\">plum</prosody></prosody> now");
    ASSERT_EQ(textsOf(pieces), (Texts{"say", "apple", "and", "pear", "plum", "now"}));
    EXPECT_DOUBLE_EQ(pieces[0].speed, 1);
    EXPECT_DOUBLE_EQ(pieces[1].speed, 0.5);
    EXPECT_DOUBLE_EQ(pieces[3].speed, 1.5);
    EXPECT_DOUBLE_EQ(pieces[3].volume, 0.5);
    EXPECT_DOUBLE_EQ(pieces[4].speed, 1.5 * 1.33);  // nested: both apply
    EXPECT_DOUBLE_EQ(pieces[4].volume, 0.5);
    EXPECT_DOUBLE_EQ(pieces[5].speed, 1);
    EXPECT_DOUBLE_EQ(pieces[5].volume, 1);

    const auto speed = [](const std::string& rate) {
        return piecesOf("<prosody rate=\"" + rate + "\">a</prosody>").at(0).speed;
    };
    EXPECT_DOUBLE_EQ(speed("slow"), 0.75);
    EXPECT_DOUBLE_EQ(speed("80%"), 0.8);
    EXPECT_DOUBLE_EQ(speed("-20%"), 0.8);
    EXPECT_DOUBLE_EQ(speed("1.2"), 1.2);
    // Never so slow that a word lasts forever, nor so fast it is gone.
    EXPECT_DOUBLE_EQ(speed("0"), 0.5);
    EXPECT_DOUBLE_EQ(speed("0.01"), 0.5);
    EXPECT_DOUBLE_EQ(speed("+5000%"), 2);
    EXPECT_DOUBLE_EQ(speed("nonsense"), 1);

    const auto volume = [](const std::string& level) {
        return piecesOf("<prosody volume=\"" + level + "\">a</prosody>").at(0).volume;
    };
    EXPECT_DOUBLE_EQ(volume("x-soft"), 0.25);
    EXPECT_DOUBLE_EQ(volume("50"), 0.5);
    EXPECT_DOUBLE_EQ(volume("-50%"), 0.5);
    EXPECT_NEAR(volume("-6dB"), 0.5, 0.01);
    // Never louder than the learner's volume: flite's samples are not clipped.
    EXPECT_DOUBLE_EQ(volume("x-loud"), 1);
    EXPECT_DOUBLE_EQ(volume("+10dB"), 1);
    EXPECT_DOUBLE_EQ(volume("200"), 1);
    EXPECT_DOUBLE_EQ(volume("silent"), 0);
}

TEST(FliteMarkup, SayAsSpellsAndSubSaysItsAlias) {
    EXPECT_EQ(textsOf(piecesOf("<say-as interpret-as=\"characters\">cat</say-as> is spelt")),
              Texts{"c a t  is spelt"});
    EXPECT_EQ(textsOf(piecesOf("<say-as interpret-as=\"date\">2024</say-as>")), Texts{"2024"});
    EXPECT_EQ(textsOf(piecesOf("the <sub alias=\"World Wide Web\">WWW</sub> today")),
              Texts{"the World Wide Web today"});
    EXPECT_EQ(textsOf(piecesOf("<sub alias=\"&lt;b&gt;\">x</sub>")), Texts{"<b>"});
}

// The elements that flite's own reader would act on dangerously are only
// text here: voice names, audio files, unclosed tags, entities.
TEST(FliteMarkup, NothingOfTheMarkupIsMoreThanText) {
    EXPECT_EQ(textsOf(piecesOf("<voice name=\"x.flitevox\">hello</voice>")), Texts{"hello"});
    EXPECT_EQ(textsOf(piecesOf("<audio src=\"/etc/passwd\">x</audio>apple")), Texts{"xapple"});
    EXPECT_EQ(textsOf(piecesOf("hello </speak")), Texts{"hello </speak"});
    EXPECT_EQ(textsOf(piecesOf("<emphasis>big</emphasis> <speak>cat</speak>")), Texts{"big cat"});
    EXPECT_EQ(textsOf(piecesOf("a &amp; b &lt; c &#x41;&#66;")), Texts{"a & b < c AB"});
    EXPECT_EQ(textsOf(piecesOf("<!-- note --><b>bold</b>")), Texts{"bold"});
}

TEST(FliteMarkup, OnlyASCIIReachesFlite) {
    EXPECT_EQ(asciiForFlite("café naïve Ærø Straße Łódź"), "cafe naive AEro Strasse Lodz");
    // What a Chinese keyboard types: full-width letters and punctuation.
    EXPECT_EQ(asciiForFlite("ａｐｐｌｅ，ｐｅａｒ！"), "apple,pear!");
    EXPECT_EQ(asciiForFlite("“Don’t” — she said…"), "\"Don't\" ,  she said...");
    EXPECT_EQ(asciiForFlite("apple 苹果"), "apple   ");
    EXPECT_EQ(asciiForFlite("a\tb\x01"), "a b ");
    EXPECT_EQ(asciiForFlite("\xff\xc3"), "  ");  // broken UTF-8
    // Nothing to say: no piece at all.
    EXPECT_TRUE(piecesOf("苹果").empty());
    EXPECT_TRUE(piecesOf(" ... !").empty());
    EXPECT_TRUE(piecesOf("").empty());
    EXPECT_EQ(textsOf(piecesOf("我喜欢apple。你呢？")), Texts{"apple."});
}
