#include "speech/speech_markup.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "common/utf8_text.h"

namespace lorvane::speech {

namespace {

// What an attribute value may hold. Values name speeds, levels, languages
// and voices, never a file or an address, so a few characters suffice.
enum class ValueKind {
    Word,       // x-slow, +20%, 0.8, tts:char, female, 30
    Language,   // en-us
    VoiceName,  // English (America), en-us+f3: no dot, so never a file name
    Pause,      // a break's time: 500ms, 1.5s, at most ten seconds
    Text,       // sub's alias: spoken instead of the element's text
};

struct AllowedAttribute {
    std::string_view name;
    ValueKind kind;
};

struct AllowedElement {
    std::string_view name;
    bool empty;  // written as <name/>, has no content
    std::vector<AllowedAttribute> attributes;
};

const std::vector<AllowedElement>& allowedElements() {
    static const std::vector<AllowedElement> elements = {
        {"speak", false, {{"xml:lang", ValueKind::Language}}},
        {"voice",
         false,
         {{"name", ValueKind::VoiceName},
          {"gender", ValueKind::Word},
          {"age", ValueKind::Word},
          {"variant", ValueKind::Word},
          {"xml:lang", ValueKind::Language}}},
        {"prosody",
         false,
         {{"rate", ValueKind::Word},
          {"pitch", ValueKind::Word},
          {"range", ValueKind::Word},
          {"volume", ValueKind::Word}}},
        {"emphasis", false, {{"level", ValueKind::Word}}},
        {"break", true, {{"time", ValueKind::Pause}, {"strength", ValueKind::Word}}},
        {"say-as",
         false,
         {{"interpret-as", ValueKind::Word},
          {"format", ValueKind::Word},
          {"detail", ValueKind::Word}}},
        {"sub", false, {{"alias", ValueKind::Text}}},
        {"p", false, {{"xml:lang", ValueKind::Language}}},
        {"s", false, {{"xml:lang", ValueKind::Language}}},
    };
    return elements;
}

// Deeper nesting than this is no use to a learner and only strains the
// synthesiser's own stack of open elements.
constexpr std::size_t kMaxDepth = 8;
constexpr double kMaxPauseMs = 10000;
constexpr std::size_t kMaxWord = 32;
constexpr std::size_t kMaxLanguage = 16;
constexpr std::size_t kMaxVoiceName = 40;
constexpr std::size_t kMaxAlias = 500;

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isNameStart(char c) {
    return isAsciiLetter(c) || c == '_' || c == ':';
}
bool isNameChar(char c) {
    return isNameStart(c) || isDigit(c) || c == '-' || c == '.';
}

bool allCharsIn(std::string_view value, std::string_view extra, std::size_t maxLength) {
    if (value.empty() || value.size() > maxLength) {
        return false;
    }
    return std::all_of(value.begin(), value.end(), [extra](char c) {
        return isAsciiLetter(c) || isDigit(c) || extra.find(c) != std::string_view::npos;
    });
}

// "500ms", "1.5s": a pause the learner can wait through.
bool isPause(std::string_view value) {
    std::size_t digits = 0;
    while (digits < value.size() && (isDigit(value[digits]) || value[digits] == '.')) {
        ++digits;
    }
    const std::string_view number = value.substr(0, digits);
    const std::string_view unit = value.substr(digits);
    if (number.empty() || number.size() > 8 || std::count(number.begin(), number.end(), '.') > 1 ||
        number.front() == '.' || (unit != "ms" && unit != "s")) {
        return false;
    }
    const double amount = std::stod(std::string(number));
    return (unit == "s" ? amount * 1000 : amount) <= kMaxPauseMs;
}

// Length of the well-formed UTF-8 character at the start of `text`, or 0.
// Surrogates (which carry undecodable bytes of a GBK file) and overlong
// forms are not characters the synthesiser should see.
std::size_t characterLength(std::string_view text) {
    const std::optional<common::utf8::Decoded> character = common::utf8::decodeFirst(text);
    return character ? character->length : 0;
}

// Text as XML character data (or, with `inAttribute`, as a value in double
// quotes): markup characters escaped, control characters turned into
// spaces, broken UTF-8 dropped.
void appendEscaped(std::string& out, std::string_view text, bool inAttribute) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const std::size_t length = characterLength(text.substr(pos));
        if (length == 0) {
            ++pos;
            continue;
        }
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '"' && inAttribute) {
            out += "&quot;";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            out += ' ';
        } else {
            out.append(text.substr(pos, length));
        }
        pos += length;
    }
}

// The character an entity or character reference at the start of `text`
// stands for, and the reference's length; nothing when it is none of the
// five XML entities or a usable numeric reference.
struct Reference {
    std::string character;
    std::size_t length = 0;
};

std::optional<Reference> readReference(std::string_view text) {
    static const std::array<std::pair<std::string_view, std::string_view>, 5> named = {{
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&amp;", "&"},
        {"&quot;", "\""},
        {"&apos;", "'"},
    }};
    for (const auto& [entity, character] : named) {
        if (text.starts_with(entity)) {
            return Reference{std::string(character), entity.size()};
        }
    }
    if (!text.starts_with("&#")) {
        return std::nullopt;
    }
    const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    std::size_t pos = hex ? 3 : 2;
    char32_t codePoint = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && text[pos] != ';'; ++pos, ++digits) {
        const char c = lower(text[pos]);
        int value = -1;
        if (isDigit(c)) {
            value = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        }
        if (value < 0 || digits >= 8) {
            return std::nullopt;
        }
        codePoint = codePoint * (hex ? 16 : 10) + static_cast<char32_t>(value);
    }
    if (digits == 0 || pos >= text.size() || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    Reference reference;
    if (codePoint < 0x20 || codePoint == 0x7F) {
        reference.character = " ";
    } else {
        common::utf8::append(reference.character, codePoint);
    }
    reference.length = pos + 1;
    return reference;
}

// Character data with its references resolved, as the synthesiser would
// read it; a "&" that begins no reference is a plain ampersand.
std::string resolveReferences(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '&') {
            if (const auto reference = readReference(text.substr(pos))) {
                out += reference->character;
                pos += reference->length;
                continue;
            }
        }
        out += text[pos];
        ++pos;
    }
    return out;
}

struct Attribute {
    std::string name;
    std::string value;  // references resolved
};

struct Tag {
    bool closing = false;
    bool selfClosing = false;
    std::string name;  // lower case
    std::vector<Attribute> attributes;
    std::size_t length = 0;  // of the whole tag, "<" to ">"
};

std::size_t skipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isSpace(text[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t readName(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || !isNameStart(text[pos])) {
        return pos;
    }
    while (pos < text.size() && isNameChar(text[pos])) {
        ++pos;
    }
    return pos;
}

// A start or end tag at the start of `text` ("<" included), written as XML
// writes it; nothing when the "<" opens no well-formed tag.
std::optional<Tag> readTag(std::string_view text) {
    Tag tag;
    std::size_t pos = 1;
    if (pos < text.size() && text[pos] == '/') {
        tag.closing = true;
        ++pos;
    }
    const std::size_t nameEnd = readName(text, pos);
    if (nameEnd == pos) {
        return std::nullopt;
    }
    tag.name = lowered(text.substr(pos, nameEnd - pos));
    pos = nameEnd;
    for (;;) {
        const std::size_t afterSpace = skipSpaces(text, pos);
        if (afterSpace >= text.size()) {
            return std::nullopt;
        }
        if (text[afterSpace] == '>') {
            tag.length = afterSpace + 1;
            return tag;
        }
        if (!tag.closing && text.substr(afterSpace).starts_with("/>")) {
            tag.selfClosing = true;
            tag.length = afterSpace + 2;
            return tag;
        }
        // Attributes need a space before them and a quoted value.
        if (tag.closing || afterSpace == pos) {
            return std::nullopt;
        }
        pos = afterSpace;
        const std::size_t attributeEnd = readName(text, pos);
        if (attributeEnd == pos) {
            return std::nullopt;
        }
        Attribute attribute{lowered(text.substr(pos, attributeEnd - pos)), {}};
        pos = skipSpaces(text, attributeEnd);
        if (pos >= text.size() || text[pos] != '=') {
            return std::nullopt;
        }
        pos = skipSpaces(text, pos + 1);
        if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\'')) {
            return std::nullopt;
        }
        const char quote = text[pos];
        const std::size_t valueEnd = text.find(quote, pos + 1);
        if (valueEnd == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view raw = text.substr(pos + 1, valueEnd - pos - 1);
        if (raw.find('<') != std::string_view::npos) {
            return std::nullopt;
        }
        attribute.value = resolveReferences(raw);
        tag.attributes.push_back(std::move(attribute));
        pos = valueEnd + 1;
    }
}

const AllowedElement* findElement(std::string_view name) {
    for (const AllowedElement& element : allowedElements()) {
        if (element.name == name) {
            return &element;
        }
    }
    return nullptr;
}

bool acceptable(ValueKind kind, std::string_view value) {
    switch (kind) {
        case ValueKind::Word:
            return allCharsIn(value, ".+-%:_", kMaxWord);
        case ValueKind::Language:
            return allCharsIn(value, "-", kMaxLanguage);
        case ValueKind::VoiceName:
            return allCharsIn(value, " ()_+-", kMaxVoiceName);
        case ValueKind::Pause:
            return isPause(value);
        case ValueKind::Text:
            return value.size() <= kMaxAlias;
    }
    return false;
}

// The tag as it goes to the synthesiser: the element's canonical name and
// the allowed attributes with acceptable values, each at most once.
std::string writeStartTag(const AllowedElement& element, const Tag& tag) {
    std::string out = "<" + std::string(element.name);
    std::vector<std::string_view> written;
    for (const Attribute& attribute : tag.attributes) {
        const auto allowed = std::find_if(
            element.attributes.begin(), element.attributes.end(),
            [&attribute](const AllowedAttribute& a) { return a.name == attribute.name; });
        if (allowed == element.attributes.end() || !acceptable(allowed->kind, attribute.value) ||
            std::find(written.begin(), written.end(), allowed->name) != written.end()) {
            continue;
        }
        written.push_back(allowed->name);
        out += " ";
        out += allowed->name;
        out += "=\"";
        appendEscaped(out, attribute.value, true);
        out += "\"";
    }
    out += element.empty ? "/>" : ">";
    return out;
}

class Filter {
public:
    std::string run(std::string_view text) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t next = text.find_first_of("<&", pos);
            appendEscaped(out_, text.substr(pos, next - pos), false);
            if (next == std::string_view::npos) {
                break;
            }
            pos = next +
                  (text[next] == '<' ? markup(text.substr(next)) : reference(text.substr(next)));
        }
        while (!open_.empty()) {
            closeTop();
        }
        return std::move(out_);
    }

private:
    // Handles what starts with "&"; returns the length consumed.
    std::size_t reference(std::string_view text) {
        if (const auto reference = readReference(text)) {
            appendEscaped(out_, reference->character, false);
            return reference->length;
        }
        out_ += "&amp;";
        return 1;
    }

    // Handles what starts with "<"; returns the length consumed.
    std::size_t markup(std::string_view text) {
        if (text.starts_with("<!--")) {
            return dropThrough(text, "-->");
        }
        if (text.starts_with("<![CDATA[")) {
            const std::size_t end = text.find("]]>");
            if (end == std::string_view::npos) {
                return asText();
            }
            appendEscaped(out_, text.substr(9, end - 9), false);
            return end + 3;
        }
        if (text.starts_with("<!")) {
            return dropDeclaration(text);
        }
        if (text.starts_with("<?")) {
            return dropThrough(text, "?>");
        }
        const std::optional<Tag> tag = readTag(text);
        if (!tag) {
            return asText();
        }
        const AllowedElement* element = findElement(tag->name);
        if (!element) {
            return tag->length;  // an element we don't speak: its text stays
        }
        if (tag->closing) {
            close(element->name);
        } else if (element->empty) {
            out_ += writeStartTag(*element, *tag);
        } else if (!tag->selfClosing && open_.size() < kMaxDepth) {
            out_ += writeStartTag(*element, *tag);
            open_.push_back(element->name);
        }
        return tag->length;
    }

    std::size_t asText() {
        out_ += "&lt;";
        return 1;
    }

    std::size_t dropThrough(std::string_view text, std::string_view end) {
        const std::size_t at = text.find(end, 2);
        return at == std::string_view::npos ? asText() : at + end.size();
    }

    // <!DOCTYPE …> with its internal subset in brackets, or any other
    // declaration: entities declared there must never reach the engine.
    std::size_t dropDeclaration(std::string_view text) {
        int brackets = 0;
        char quote = 0;
        for (std::size_t pos = 2; pos < text.size(); ++pos) {
            const char c = text[pos];
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                return pos + 1;
            }
        }
        return asText();
    }

    void close(std::string_view name) {
        if (std::find(open_.begin(), open_.end(), name) == open_.end()) {
            return;  // nothing of that name is open
        }
        while (open_.back() != name) {
            closeTop();
        }
        closeTop();
    }

    void closeTop() {
        out_ += "</";
        out_ += open_.back();
        out_ += ">";
        open_.pop_back();
    }

    std::string out_;
    std::vector<std::string_view> open_;
};

}  // namespace

std::string safeSpeechMarkup(std::string_view text) {
    return Filter().run(text);
}

}  // namespace lorvane::speech
