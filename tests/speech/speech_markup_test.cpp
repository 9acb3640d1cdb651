#include "speech/speech_markup.h"

#include <gtest/gtest.h>

using namespace lorvane::speech;

// What a lesson entry or an example sentence may hand to the synthesiser.

TEST(SpeechMarkup, PlainWordsAndSentencesPassUnchanged) {
    EXPECT_EQ(safeSpeechMarkup("apple"), "apple");
    EXPECT_EQ(safeSpeechMarkup("look at"), "look at");
    EXPECT_EQ(safeSpeechMarkup("It's a \"nice\" day, isn't it?"), "It's a \"nice\" day, isn't it?");
    EXPECT_EQ(safeSpeechMarkup("苹果 café ˈæpəl"), "苹果 café ˈæpəl");
    EXPECT_EQ(safeSpeechMarkup(""), "");
}

TEST(SpeechMarkup, MarkupCharactersThatOpenNothingAreSpokenAsText) {
    EXPECT_EQ(safeSpeechMarkup("x < y"), "x &lt; y");
    EXPECT_EQ(safeSpeechMarkup("a<b"), "a&lt;b");
    EXPECT_EQ(safeSpeechMarkup("rock & roll"), "rock &amp; roll");
    EXPECT_EQ(safeSpeechMarkup("5 > 3"), "5 &gt; 3");
    EXPECT_EQ(safeSpeechMarkup("AT&T"), "AT&amp;T");
    // An entity the synthesiser might resolve from elsewhere is only text.
    EXPECT_EQ(safeSpeechMarkup("&nbsp;&xxe;"), "&amp;nbsp;&amp;xxe;");
    // The five of XML and numeric references stand for their characters.
    EXPECT_EQ(safeSpeechMarkup("&lt;tag&gt; &amp; &quot;q&quot; &apos;"),
              "&lt;tag&gt; &amp; \"q\" '");
    EXPECT_EQ(safeSpeechMarkup("caf&#233; &#x41;"), "café A");
    EXPECT_EQ(safeSpeechMarkup("&#60;audio src='x'/&#62;"), "&lt;audio src='x'/&gt;");
    EXPECT_EQ(safeSpeechMarkup("&#xD800; &#99999999;"), "&amp;#xD800; &amp;#99999999;");
}

TEST(SpeechMarkup, VoiceShapingMarkupIsKept) {
    EXPECT_EQ(safeSpeechMarkup("<speak>hello world</speak>"), "<speak>hello world</speak>");
    EXPECT_EQ(safeSpeechMarkup("<prosody rate='x-slow'>apple</prosody>"),
              "<prosody rate=\"x-slow\">apple</prosody>");
    EXPECT_EQ(safeSpeechMarkup("<say-as interpret-as=\"characters\">abc</say-as>"),
              "<say-as interpret-as=\"characters\">abc</say-as>");
    EXPECT_EQ(safeSpeechMarkup("one<break time=\"500ms\"/>two<break strength='strong'>three"),
              "one<break time=\"500ms\"/>two<break strength=\"strong\"/>three");
    EXPECT_EQ(safeSpeechMarkup("<emphasis level=\"strong\">now</emphasis>"),
              "<emphasis level=\"strong\">now</emphasis>");
    EXPECT_EQ(safeSpeechMarkup("<sub alias=\"World Wide Web\">WWW</sub>"),
              "<sub alias=\"World Wide Web\">WWW</sub>");
    EXPECT_EQ(safeSpeechMarkup("<voice name=\"English (America)\" gender='female'>hi</voice>"),
              "<voice name=\"English (America)\" gender=\"female\">hi</voice>");
    EXPECT_EQ(safeSpeechMarkup("<p><s xml:lang=\"en-GB\">Colour.</s></p>"),
              "<p><s xml:lang=\"en-GB\">Colour.</s></p>");
    // Names in any letter case are written the one way the engine knows.
    EXPECT_EQ(safeSpeechMarkup("<PROSODY RATE='slow'>a</Prosody>"),
              "<prosody rate=\"slow\">a</prosody>");
}

TEST(SpeechMarkup, NothingThatNamesAFileOrAnAddressGetsThrough) {
    // The element that makes the engine run a program for its file.
    EXPECT_EQ(safeSpeechMarkup("<audio src=\"/some/folder/$(touch PWNED).wav\"/>apple"), "apple");
    EXPECT_EQ(safeSpeechMarkup("<audio src=\"/etc/passwd\">fallback</audio>"), "fallback");
    EXPECT_EQ(safeSpeechMarkup("<AUDIO SRC='/etc/passwd'/>x"), "x");
    // Attributes that name a resource are dropped from allowed elements.
    EXPECT_EQ(safeSpeechMarkup("<speak xml:base=\"http://example.org/\" xml:lang=\"en\">a</speak>"),
              "<speak xml:lang=\"en\">a</speak>");
    EXPECT_EQ(safeSpeechMarkup("<voice name=\"../../etc/passwd\">a</voice>"), "<voice>a</voice>");
    EXPECT_EQ(safeSpeechMarkup("<voice name=\"x.flitevox\">a</voice>"), "<voice>a</voice>");
    EXPECT_EQ(safeSpeechMarkup("<prosody rate=\"slow\" src=\"x.wav\" uri=\"y\">a</prosody>"),
              "<prosody rate=\"slow\">a</prosody>");
    // mark, metadata, html: tags go, text stays.
    EXPECT_EQ(safeSpeechMarkup("<mark name=\"$(id)\"/>go <b>bold</b>"), "go bold");
    // Declarations, processing instructions and comments vanish whole,
    // internal entity subsets included.
    EXPECT_EQ(safeSpeechMarkup("<?xml version=\"1.0\"?><!DOCTYPE speak [<!ENTITY e SYSTEM "
                               "\"file:///etc/passwd\">]><speak>&e;</speak>"),
              "<speak>&amp;e;</speak>");
    EXPECT_EQ(safeSpeechMarkup("a<!-- <audio src='x'/> -->b"), "ab");
    EXPECT_EQ(safeSpeechMarkup("<![CDATA[<audio src='x'/>]]>"), "&lt;audio src='x'/&gt;");
}

TEST(SpeechMarkup, MalformedMarkupIsTextAndTheResultIsWellFormed) {
    EXPECT_EQ(safeSpeechMarkup("<audio src=/etc/passwd>"), "&lt;audio src=/etc/passwd&gt;");
    EXPECT_EQ(safeSpeechMarkup("<prosody rate='slow'"), "&lt;prosody rate='slow'");
    EXPECT_EQ(safeSpeechMarkup("<!-- never closed"), "&lt;!-- never closed");
    EXPECT_EQ(safeSpeechMarkup("<?pi"), "&lt;?pi");
    // Every open element is closed, innermost first.
    EXPECT_EQ(safeSpeechMarkup("<speak><prosody rate='slow'>a"),
              "<speak><prosody rate=\"slow\">a</prosody></speak>");
    // A closing tag closes what was opened inside it; stray ones vanish.
    EXPECT_EQ(safeSpeechMarkup("<p><s>a</p>b</s></emphasis>"), "<p><s>a</s></p>b");
    // Nesting stops at a depth the engine copes with.
    std::string deep;
    std::string expected;
    for (int i = 0; i < 50; ++i) {
        deep += "<p>";
    }
    for (int i = 0; i < 8; ++i) {
        expected = "<p>" + expected + "</p>";
    }
    expected.insert(8 * 3, "a");
    EXPECT_EQ(safeSpeechMarkup(deep + "a" + deep), expected);
}

TEST(SpeechMarkup, ValuesAreLimitedToWhatTheirAttributeMeans) {
    // A pause beyond ten seconds would make the engine write minutes of
    // silence into memory.
    EXPECT_EQ(safeSpeechMarkup("<break time=\"10s\"/>"), "<break time=\"10s\"/>");
    EXPECT_EQ(safeSpeechMarkup("<break time=\"10001ms\"/>"), "<break/>");
    EXPECT_EQ(safeSpeechMarkup("<break time=\"99999999s\"/>"), "<break/>");
    EXPECT_EQ(safeSpeechMarkup("<prosody rate=\"fast;rm -rf\">a</prosody>"),
              "<prosody>a</prosody>");
    EXPECT_EQ(safeSpeechMarkup("<prosody rate='slow' rate='fast'>a</prosody>"),
              "<prosody rate=\"slow\">a</prosody>");
    // An alias is spoken text: escaped, never markup.
    EXPECT_EQ(safeSpeechMarkup("<sub alias=\"&lt;audio src='x'/&gt;\">a</sub>"),
              "<sub alias=\"&lt;audio src='x'/&gt;\">a</sub>");
}

TEST(SpeechMarkup, BrokenTextNeverReachesTheEngine) {
    // Control characters are spaces; broken UTF-8 and the escapes of
    // undecodable GBK bytes are left out.
    EXPECT_EQ(safeSpeechMarkup(std::string("a\0b\x01"
                                           "c\td",
                                           7)),
              "a b c d");
    EXPECT_EQ(safeSpeechMarkup("a\xFF\xC0\x80"
                               "b"),
              "ab");
    EXPECT_EQ(safeSpeechMarkup("a\xED\xB2\x80"
                               "b"),
              "ab");
    EXPECT_EQ(safeSpeechMarkup("\xE8\x8B"), "");
}
