// Whatever a lesson holds, the filtered text is well-formed markup made only
// of the elements and attributes that shape the voice, with no reference but
// the escapes of XML; and filtering it again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "speech/speech_markup.h"

using namespace lorvane::speech;

namespace {

const std::map<std::string, std::set<std::string>>& allowed() {
    static const std::map<std::string, std::set<std::string>> elements = {
        {"speak", {"xml:lang"}},
        {"voice", {"name", "gender", "age", "variant", "xml:lang"}},
        {"prosody", {"rate", "pitch", "range", "volume"}},
        {"emphasis", {"level"}},
        {"break", {"time", "strength"}},
        {"say-as", {"interpret-as", "format", "detail"}},
        {"sub", {"alias"}},
        {"p", {"xml:lang"}},
        {"s", {"xml:lang"}},
    };
    return elements;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// An escape at `pos` ("&" included): only the four the filter writes.
std::size_t checkEscape(std::string_view text, std::size_t pos) {
    for (std::string_view escape : {"&lt;", "&gt;", "&amp;", "&quot;"}) {
        if (text.substr(pos).starts_with(escape)) {
            return escape.size();
        }
    }
    std::abort();
}

void checkOutput(std::string_view out) {
    std::vector<std::string> open;
    std::size_t pos = 0;
    while (pos < out.size()) {
        const char c = out[pos];
        require(c != '>');  // only ever closes a tag
        if (c == '&') {
            pos += checkEscape(out, pos);
            continue;
        }
        if (c != '<') {
            require(static_cast<unsigned char>(c) >= 0x20);  // no control characters
            ++pos;
            continue;
        }
        const std::size_t end = out.find('>', pos);
        require(end != std::string_view::npos);
        std::string_view tag = out.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        if (tag.starts_with('/')) {
            require(!open.empty() && open.back() == tag.substr(1));
            open.pop_back();
            continue;
        }
        const bool empty = tag.ends_with('/');
        if (empty) {
            tag.remove_suffix(1);
        }
        const std::size_t nameEnd = tag.find(' ');
        const std::string name(tag.substr(0, nameEnd));
        const auto element = allowed().find(name);
        require(element != allowed().end());
        require(empty == (name == "break"));
        std::string_view rest = nameEnd == std::string_view::npos ? "" : tag.substr(nameEnd);
        while (!rest.empty()) {
            require(rest.front() == ' ');
            const std::size_t equals = rest.find("=\"");
            require(equals != std::string_view::npos);
            require(element->second.count(std::string(rest.substr(1, equals - 1))) == 1);
            const std::size_t close = rest.find('"', equals + 2);
            require(close != std::string_view::npos);
            const std::string_view value = rest.substr(equals + 2, close - equals - 2);
            for (std::size_t i = 0; i < value.size(); ++i) {
                require(value[i] != '<');
                if (value[i] == '&') {
                    i += checkEscape(value, i) - 1;
                }
            }
            rest.remove_prefix(close + 1);
        }
        if (!empty) {
            open.push_back(name);
        }
    }
    require(open.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string out = safeSpeechMarkup(text);
    checkOutput(out);
    require(safeSpeechMarkup(out) == out);
    return 0;
}
