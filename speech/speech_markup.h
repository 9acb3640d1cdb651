#pragma once

#include <string>
#include <string_view>

namespace lorvane::speech {

// Words, meanings and example sentences come from files the learner (or
// anyone who hands the learner a lesson) wrote, and they reach the
// synthesiser as speech markup, so that a learner can slow a word down or
// spell it out. The synthesiser's markup can also name files and run a
// program for them, so nothing goes to it unfiltered.
//
// safeSpeechMarkup keeps the elements that only shape the voice:
//   speak, voice, prosody, emphasis, break, say-as, sub, p, s
// each with its own few attributes, whose values are limited to the
// characters such values are made of (sub's alias is text and is escaped).
// Everything else is made inert:
//   - any other element (audio, mark, metadata, html tags …) loses its tags
//     and keeps its text, so "<b>apple</b>" still says "apple";
//   - comments, processing instructions, DOCTYPE and CDATA are dropped;
//   - entities other than the five of XML and numeric references are read
//     as text ("&nbsp;" becomes "&amp;nbsp;");
//   - a "<" that does not open a well-formed tag is text ("x < y").
// The result is well-formed: every kept element is closed, in order.
std::string safeSpeechMarkup(std::string_view text);

}  // namespace lorvane::speech
