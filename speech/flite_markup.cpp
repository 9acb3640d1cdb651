#include "speech/flite_markup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "common/utf8_text.h"

namespace lorvane::speech {

namespace {

constexpr double kSlowest = 0.5;
constexpr double kFastest = 2;
constexpr int kMaxPauseMs = 10000;
constexpr int kMediumPauseMs = 400;
// flite hears a stop only between blocks of sound, after it has analysed
// the whole of a sentence: long sentences are cut so that a new word never
// waits long for the old one to stop.
constexpr std::size_t kMaxWordsPerPiece = 30;

// --- UTF-8 and ASCII ---

// The character at the start of `text`; a byte that begins no well-formed
// character is one character that has no ASCII form.
common::utf8::Decoded decode(std::string_view text) {
    return common::utf8::decodeFirst(text).value_or(common::utf8::Decoded{0xFFFD, 1});
}

// Base letters of U+00C0 … U+017F, one per character; '*' where a letter
// needs two (Æ, Þ, ß …), ' ' where the character is no letter.
constexpr std::string_view kLatinBases =
    "AAAAAA*CEEEEIIIIDNOOOOO OUUUUY**"   // U+00C0 … U+00DF
    "aaaaaa*ceeeeiiiidnooooo ouuuuy*y"   // U+00E0 … U+00FF
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGg"   // U+0100 … U+011F
    "GgGgHhHhIiIiIiIiIi**JjKkkLlLlLlL"   // U+0120 … U+013F
    "lLlNnNnNnnNnOoOoOo**RrRrRrSsSsSs"   // U+0140 … U+015F
    "SsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";  // U+0160 … U+017F

std::string_view twoLetterBase(char32_t c) {
    switch (c) {
        case 0xC6:
            return "AE";
        case 0xE6:
            return "ae";
        case 0xDE:
            return "Th";
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
            return "IJ";
        case 0x133:
            return "ij";
        case 0x152:
            return "OE";
        case 0x153:
            return "oe";
        default:
            return " ";
    }
}

void appendAscii(std::string& out, char32_t c) {
    if (c >= 0x20 && c < 0x7F) {
        out += static_cast<char>(c);
    } else if (c == '\n' || c == '\r') {
        out += '\n';
    } else if (c >= 0xC0 && c <= 0x17F) {
        const char base = kLatinBases[c - 0xC0];
        if (base == '*') {
            out += twoLetterBase(c);
        } else {
            out += base;
        }
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
        out += static_cast<char>(c - 0xFEE0);  // full-width forms, as a Chinese keyboard types them
    } else if (c == 0x2018 || c == 0x2019 || c == 0x201B || c == 0x2032) {
        out += '\'';
    } else if (c == 0x201C || c == 0x201D || c == 0x201E || c == 0x2033 ||
               (c >= 0x300C && c <= 0x300F)) {
        out += '"';
    } else if (c == 0x2013 || c == 0x2014 || c == 0x2015 || c == 0x3001) {
        out += ", ";
    } else if (c == 0x2026) {
        out += "...";
    } else if (c == 0x3002) {
        out += ". ";
    } else {
        out += ' ';  // control characters, and what has no ASCII form
    }
}

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// --- sentences ---

// Words that end in a full stop without ending the sentence.
bool isAbbreviation(std::string_view word) {
    static constexpr std::array<std::string_view, 10> kAbbreviations = {
        "mr", "mrs", "ms", "dr", "st", "prof", "mt", "vs", "e.g", "i.e"};
    std::string lowered;
    for (const char c : word) {
        lowered += lower(c);
    }
    if (lowered.size() == 1 && lowered[0] >= 'a' && lowered[0] <= 'z') {
        return true;  // an initial: "J. Smith"
    }
    return std::find(kAbbreviations.begin(), kAbbreviations.end(), lowered) != kAbbreviations.end();
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\n");
    std::string out(text.substr(first, last - first + 1));
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

std::vector<std::string> sentencesOf(std::string_view text) {
    std::vector<std::string> sentences;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool ends = c == '\n';
        if (c == '.' || c == '!' || c == '?') {
            std::size_t after = i + 1;
            while (after < text.size() && (text[after] == '"' || text[after] == '\'' ||
                                           text[after] == ')' || text[after] == c)) {
                ++after;
            }
            if (after == text.size() || isSpace(text[after])) {
                std::size_t wordStart = i;
                while (wordStart > begin && !isSpace(text[wordStart - 1])) {
                    --wordStart;
                }
                ends = c != '.' || !isAbbreviation(text.substr(wordStart, i - wordStart));
                i = after - 1;
            }
        }
        if (ends) {
            sentences.push_back(trimmed(text.substr(begin, i + 1 - begin)));
            begin = i + 1;
        }
    }
    sentences.push_back(trimmed(text.substr(begin)));
    return sentences;
}

// A sentence in parts of at most kMaxWordsPerPiece words, cut after a
// comma where there is one.
std::vector<std::string> partsOf(const std::string& sentence) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin < sentence.size()) {
        std::size_t words = 0;
        std::size_t pos = begin;
        std::size_t lastComma = std::string::npos;
        std::size_t lastSpace = std::string::npos;
        while (pos < sentence.size()) {
            if (sentence[pos] == ' ' && pos > begin && sentence[pos - 1] != ' ') {
                if (++words >= kMaxWordsPerPiece) {
                    break;
                }
                lastSpace = pos;
                const char before = sentence[pos - 1];
                if (before == ',' || before == ':' || before == ')') {
                    lastComma = pos;
                }
            }
            ++pos;
        }
        std::size_t end = sentence.size();
        if (pos < sentence.size()) {
            end = lastComma != std::string::npos   ? lastComma
                  : lastSpace != std::string::npos ? lastSpace
                                                   : pos;
        }
        parts.push_back(trimmed(std::string_view(sentence).substr(begin, end - begin)));
        begin = end;
    }
    return parts;
}

bool hasSomethingToSay(std::string_view text) {
    return std::any_of(text.begin(), text.end(), isLetterOrDigit);
}

// --- markup values ---

std::optional<double> number(std::string_view text) {
    if (text.empty() || text.size() > 12) {
        return std::nullopt;
    }
    double whole = 0;
    double scale = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale > 0) {
                whole += (c - '0') * scale;
                scale /= 10;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else if (c == '.' && scale == 0) {
            scale = 0.1;
        } else {
            return std::nullopt;
        }
    }
    return digits ? std::optional<double>(whole) : std::nullopt;
}

// A value with an optional sign and unit: "+20%", "-6dB", "0.8".
struct Amount {
    int sign = 0;  // 0 when unsigned
    double value = 0;
    std::string_view unit;
};

std::optional<Amount> amount(std::string_view text, std::string_view unit) {
    Amount result;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        result.sign = text[0] == '+' ? 1 : -1;
        text.remove_prefix(1);
    }
    if (!unit.empty() && text.ends_with(unit)) {
        result.unit = unit;
        text.remove_suffix(unit.size());
    }
    const std::optional<double> value = number(text);
    if (!value) {
        return std::nullopt;
    }
    result.value = *value;
    return result;
}

double speedOf(std::string_view rate) {
    static constexpr std::array<std::pair<std::string_view, double>, 6> kKeywords = {{
        {"x-slow", 0.5},
        {"slow", 0.75},
        {"medium", 1},
        {"fast", 1.33},
        {"x-fast", 2},
        {"default", 1},
    }};
    for (const auto& [keyword, speed] : kKeywords) {
        if (rate == keyword) {
            return speed;
        }
    }
    double speed = 1;
    if (const auto a = amount(rate, "%")) {
        if (a->sign != 0) {
            speed = 1 + a->sign * a->value / (a->unit.empty() ? 1 : 100);
        } else {
            speed = a->unit.empty() ? a->value : a->value / 100;
        }
    }
    return std::clamp(speed, kSlowest, kFastest);
}

double volumeOf(std::string_view level) {
    static constexpr std::array<std::pair<std::string_view, double>, 7> kKeywords = {{
        {"silent", 0},
        {"x-soft", 0.25},
        {"soft", 0.5},
        {"medium", 1},
        {"loud", 1},
        {"x-loud", 1},
        {"default", 1},
    }};
    for (const auto& [keyword, volume] : kKeywords) {
        if (level == keyword) {
            return volume;
        }
    }
    double volume = 1;
    if (const auto decibels = amount(level, "dB"); decibels && !decibels->unit.empty()) {
        volume = std::pow(10.0, decibels->sign * decibels->value / 20);
    } else if (const auto a = amount(level, "%")) {
        // Unsigned: a level of 0 … 100; signed: a change of that many per cent.
        volume = a->sign != 0 ? 1 + a->sign * a->value / 100 : a->value / 100;
    }
    return std::clamp(volume, 0.0, 1.0);
}

int pauseOf(std::string_view time, std::string_view strength) {
    if (!time.empty()) {
        if (const auto ms = amount(time, "ms"); ms && ms->sign == 0 && !ms->unit.empty()) {
            return static_cast<int>(std::min<double>(ms->value, kMaxPauseMs));
        }
        if (const auto s = amount(time, "s"); s && s->sign == 0 && !s->unit.empty()) {
            return static_cast<int>(std::min<double>(s->value * 1000, kMaxPauseMs));
        }
    }
    static constexpr std::array<std::pair<std::string_view, int>, 6> kStrengths = {{
        {"none", 0},
        {"x-weak", 100},
        {"weak", 250},
        {"medium", kMediumPauseMs},
        {"strong", 700},
        {"x-strong", 1000},
    }};
    for (const auto& [keyword, ms] : kStrengths) {
        if (strength == keyword) {
            return ms;
        }
    }
    return kMediumPauseMs;
}

// --- reading the markup ---

struct Tag {
    std::string name;
    bool closing = false;
    bool empty = false;
    std::vector<std::pair<std::string, std::string>> attributes;  // values decoded

    std::string_view attribute(std::string_view key) const {
        for (const auto& [attributeName, value] : attributes) {
            if (attributeName == key) {
                return value;
            }
        }
        return {};
    }
};

// The character a reference at the start of `text` ("&" included) stands
// for, and the reference's length; a lone "&" stands for itself.
std::pair<char32_t, std::size_t> reference(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, char32_t>, 5> kNamed = {{
        {"&lt;", '<'},
        {"&gt;", '>'},
        {"&amp;", '&'},
        {"&quot;", '"'},
        {"&apos;", '\''},
    }};
    for (const auto& [entity, character] : kNamed) {
        if (text.starts_with(entity)) {
            return {character, entity.size()};
        }
    }
    if (text.starts_with("&#")) {
        const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
        std::size_t pos = hex ? 3 : 2;
        char32_t codePoint = 0;
        for (std::size_t digits = 0; pos < text.size() && text[pos] != ';' && digits < 8;
             ++pos, ++digits) {
            const char c = lower(text[pos]);
            if (c >= '0' && c <= '9') {
                codePoint = codePoint * (hex ? 16 : 10) + static_cast<char32_t>(c - '0');
            } else if (hex && c >= 'a' && c <= 'f') {
                codePoint = codePoint * 16 + static_cast<char32_t>(c - 'a' + 10);
            } else {
                return {'&', 1};
            }
        }
        if (pos < text.size() && text[pos] == ';' && codePoint <= 0x10FFFF) {
            return {codePoint, pos + 1};
        }
    }
    return {'&', 1};
}

// Character data as flite reads it: references resolved, ASCII only.
std::string decodedText(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '&') {
            const auto [character, length] = reference(text.substr(pos));
            appendAscii(out, character);
            pos += length;
        } else {
            const common::utf8::Decoded d = decode(text.substr(pos));
            appendAscii(out, d.codePoint);
            pos += d.length;
        }
    }
    return out;
}

// A tag at the start of `text` ("<" included) and its length; nothing when
// the "<" opens no tag, which the filter never lets through.
std::optional<std::pair<Tag, std::size_t>> readTag(std::string_view text) {
    const std::size_t end = text.find('>');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view inside = text.substr(1, end - 1);
    Tag tag;
    if (inside.starts_with('/')) {
        tag.closing = true;
        inside.remove_prefix(1);
    }
    if (inside.ends_with('/')) {
        tag.empty = true;
        inside.remove_suffix(1);
    }
    const std::size_t nameEnd = inside.find_first_of(" \t\n");
    tag.name = std::string(inside.substr(0, nameEnd));
    if (tag.name.empty()) {
        return std::nullopt;
    }
    std::size_t pos = nameEnd == std::string_view::npos ? inside.size() : nameEnd;
    while (pos < inside.size()) {
        const std::size_t equals = inside.find('=', pos);
        if (equals == std::string_view::npos || equals + 1 >= inside.size()) {
            break;
        }
        const char quote = inside[equals + 1];
        const std::size_t close = inside.find(quote, equals + 2);
        if ((quote != '"' && quote != '\'') || close == std::string_view::npos) {
            break;
        }
        std::string_view name = inside.substr(pos, equals - pos);
        while (!name.empty() && isSpace(name.front())) {
            name.remove_prefix(1);
        }
        tag.attributes.emplace_back(std::string(name),
                                    decodedText(inside.substr(equals + 2, close - equals - 2)));
        pos = close + 1;
    }
    return std::pair{std::move(tag), end + 1};
}

class Reader {
public:
    std::vector<FlitePiece> run(std::string_view markup) {
        std::size_t pos = 0;
        while (pos < markup.size()) {
            const std::size_t next = markup.find('<', pos);
            addText(markup.substr(pos, next - pos));
            if (next == std::string_view::npos) {
                break;
            }
            if (auto tag = readTag(markup.substr(next))) {
                handle(tag->first);
                pos = next + tag->second;
            } else {
                addText("<");
                pos = next + 1;
            }
        }
        endRun();
        return std::move(pieces_);
    }

private:
    struct Frame {
        std::string name;
        double speed = 1;
        double volume = 1;
        bool spell = false;  // letter by letter
        bool muted = false;  // replaced by a sub's alias
    };

    const Frame& top() const { return frames_.empty() ? outside_ : frames_.back(); }

    void addText(std::string_view text) { addAscii(decodedText(text)); }

    void addAscii(const std::string& ascii) {
        if (ascii.empty() || top().muted) {
            return;
        }
        if (!top().spell) {
            run_ += ascii;
            return;
        }
        for (const char c : ascii) {
            run_ += c;
            if (isLetterOrDigit(c)) {
                run_ += ' ';
            }
        }
    }

    void handle(const Tag& tag) {
        if (tag.closing) {
            close(tag.name);
            return;
        }
        if (tag.name == "break") {
            endRun();
            addPause(pauseOf(tag.attribute("time"), tag.attribute("strength")));
            return;
        }
        Frame frame = top();
        frame.name = tag.name;
        if (tag.name == "p" || tag.name == "s") {
            endRun();
        } else if (tag.name == "prosody") {
            endRun();
            if (const std::string_view rate = tag.attribute("rate"); !rate.empty()) {
                frame.speed = std::clamp(frame.speed * speedOf(rate), kSlowest, kFastest);
            }
            if (const std::string_view volume = tag.attribute("volume"); !volume.empty()) {
                frame.volume *= volumeOf(volume);
            }
        } else if (tag.name == "say-as") {
            const std::string_view how = tag.attribute("interpret-as");
            frame.spell = how == "characters" || how == "spell-out" || how == "tts:char";
        } else if (tag.name == "sub") {
            addAscii(std::string(tag.attribute("alias")));
            frame.muted = true;
        }
        if (!tag.empty) {
            frames_.push_back(std::move(frame));
        }
    }

    void close(std::string_view name) {
        const auto open = std::find_if(frames_.rbegin(), frames_.rend(),
                                       [name](const Frame& f) { return f.name == name; });
        if (open == frames_.rend()) {
            return;
        }
        if (name == "p" || name == "s" || name == "prosody") {
            endRun();
        }
        frames_.erase(std::prev(open.base()), frames_.end());
    }

    void addPause(int ms) {
        if (ms <= 0) {
            return;
        }
        if (!pieces_.empty() && pieces_.back().text.empty()) {
            pieces_.back().pauseMs = std::min(pieces_.back().pauseMs + ms, kMaxPauseMs);
            return;
        }
        FlitePiece pause;
        pause.pauseMs = ms;
        pieces_.push_back(std::move(pause));
    }

    // The text gathered so far, as pieces spoken alike.
    void endRun() {
        for (const std::string& sentence : sentencesOf(run_)) {
            if (!hasSomethingToSay(sentence)) {
                continue;
            }
            for (std::string& part : partsOf(sentence)) {
                if (hasSomethingToSay(part)) {
                    pieces_.push_back({std::move(part), 0, top().speed, top().volume});
                }
            }
        }
        run_.clear();
    }

    const Frame outside_{};
    std::vector<Frame> frames_;
    std::string run_;
    std::vector<FlitePiece> pieces_;
};

}  // namespace

std::vector<FlitePiece> flitePiecesOfMarkup(std::string_view filteredMarkup) {
    return Reader().run(filteredMarkup);
}

std::string asciiForFlite(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const common::utf8::Decoded d = decode(text.substr(pos));
        appendAscii(out, d.codePoint);
        pos += d.length;
    }
    return out;
}

}  // namespace lorvane::speech
