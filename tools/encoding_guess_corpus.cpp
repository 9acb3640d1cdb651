// Measures how the encoding guess for learners' files reads a corpus: every
// GB2312 and GBK character alone on a line, every pair of them, each of them
// put into real lesson lines, real GBK lessons (which must all read as GBK),
// and real UTF-8 lessons (which must read as UTF-8). Prints misreads / cases.
// With ICU or uchardet at hand it measures their detectors on the same cases
// (the pairs sampled, as they take microseconds per call).
//   encoding_guess_corpus LESSON_FOLDER SAMPLE_FOLDER [ROWS]
// ROWS, when given, measures only the rows whose name contains it.
// LESSON_FOLDER holds the shipped lessons (UTF-8) in subfolders and word.dat;
// SAMPLE_FOLDER the UTF-8 samples (utf8_*.txt).
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/encoding_guess.h"
#include "common/gbk_codec.h"
#include "common/text_file.h"
#include "common/utf8_text.h"

#ifdef HAVE_ICU_DETECTOR
#include <unicode/ucsdet.h>
#endif
#ifdef HAVE_UCHARDET
#include <uchardet/uchardet.h>

using namespace lorvane::common;
#endif

namespace {

enum class Truth { Gbk, Utf8 };

// One way of deciding: true means "read as UTF-8".
struct Detector {
    std::string name;
    std::function<bool(std::string_view)> isUtf8;
    bool sampled;  // too slow for the exhaustive sets
};

struct Tally {
    long long cases = 0;
    long long misreads = 0;
    std::vector<std::string> examples;  // the first misreads, in hex
};

std::string hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (const char c : bytes.substr(0, 40)) {
        std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
        out += buffer;
    }
    return out;
}

void count(Tally& tally, bool readAsUtf8, Truth truth, std::string_view bytes) {
    ++tally.cases;
    // GBK text that starts with the bytes of the UTF-8 byte-order mark loses
    // them, as a byte-order mark does: a misread too.
    const bool misread =
        truth == Truth::Utf8 ? !readAsUtf8 : readAsUtf8 || bytes.starts_with("\xEF\xBB\xBF");
    if (misread) {
        if (tally.misreads++ < 5) {
            tally.examples.push_back(hex(bytes));
        }
    }
}

// Every character glibc's GBK converter knows: two-byte codes and the euro
// sign. `gb2312` tells which of them are in GB2312.
struct GbkCharacters {
    std::vector<std::string> all;
    std::vector<bool> gb2312;
};

GbkCharacters gbkCharacters() {
    GbkCharacters chars;
    const iconv_t gbk = iconv_open("UTF-8", "GBK");
    const iconv_t gb2312 = iconv_open("UTF-8", "EUC-CN");
    auto converts = [](iconv_t converter, std::string code) {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char* in = code.data();
        std::size_t inLeft = code.size();
        char out[16];
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        return iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
               inLeft == 0;
    };
    chars.all.emplace_back("\x80");
    chars.gb2312.push_back(false);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            if (trail != 0x7F && converts(gbk, code)) {
                chars.all.push_back(code);
                chars.gb2312.push_back(converts(gb2312, code));
            }
        }
    }
    iconv_close(gb2312);
    iconv_close(gbk);
    return chars;
}

std::string fileText(const std::filesystem::path& path) {
    return readFileBytes(path.string()).valueOr("");
}

// The repository keeps texts with LF; learners' lessons have CR LF.
std::string withCrLf(const std::string& text) {
    std::string crlf;
    for (const char c : text) {
        if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) {
            crlf += '\r';
        }
        crlf += c;
    }
    return crlf;
}

// The UTF-8 lessons: the shipped ones and the samples, with CR LF as stored.
std::map<std::string, std::string> utf8Lessons(const std::string& lessonFolder,
                                               const std::string& sampleFolder) {
    std::map<std::string, std::string> lessons;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(lessonFolder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.ends_with(".txt") || name == "word.dat")) {
            lessons[entry.path().string()] = withCrLf(fileText(entry.path()));
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(sampleFolder)) {
        if (entry.path().filename().string().starts_with("utf8_")) {
            lessons[entry.path().string()] = withCrLf(fileText(entry.path()));
        }
    }
    return lessons;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string_view line : splitLines(text)) {
        if (!trimSpaces(line).empty()) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

// Lines that put a character where a Chinese one stands, right after an
// English letter and right before one, as real lessons do.
const char* const kLetterLines[] = {"T恤  T-shirt", "卡拉OK  karaoke",   "维生素A  vitamin A",
                                    "X光  X-ray",   "AA制  going Dutch", "e-mail  电子邮件"};

// Each non-ASCII character of `line` (GBK bytes) in turn replaced by `X`.
std::vector<std::pair<std::string, std::string>> templatesOf(const std::string& gbkLine) {
    std::vector<std::pair<std::string, std::string>> slots;  // before, after
    for (std::size_t pos = 0; pos < gbkLine.size(); ++pos) {
        if (static_cast<unsigned char>(gbkLine[pos]) >= 0x81 && pos + 1 < gbkLine.size()) {
            slots.emplace_back(gbkLine.substr(0, pos), gbkLine.substr(pos + 2));
            ++pos;
        }
    }
    return slots;
}

struct Row {
    std::string name;
    Truth truth;
    bool exhaustive;  // too many cases for the sampled detectors
    std::function<void(const std::function<void(std::string_view)>&)> forEachCase;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s LESSON_FOLDER SAMPLE_FOLDER [ROWS]\n", argv[0]);
        return 2;
    }
    const GbkCharacters chars = gbkCharacters();
    std::vector<std::string> gb2312;
    for (std::size_t i = 0; i < chars.all.size(); ++i) {
        if (chars.gb2312[i]) {
            gb2312.push_back(chars.all[i]);
        }
    }
    const auto lessons = utf8Lessons(argv[1], argv[2]);

    std::vector<std::string> gbkLessonLines;  // real lines, in GBK
    for (const auto& [name, text] : lessons) {
        for (const std::string& line : linesOf(text)) {
            gbkLessonLines.push_back(gbk::encode(line));
        }
    }
    std::vector<std::pair<std::string, std::string>> slots;
    for (const auto& [name, text] : lessons) {
        if (name.ends_with(".txt") && name.find("utf8_") == std::string::npos) {
            for (const std::string& line : linesOf(text)) {
                for (auto& slot : templatesOf(gbk::encode(line))) {
                    slots.push_back(std::move(slot));
                }
            }
        }
    }
    for (const char* line : kLetterLines) {
        for (auto& slot : templatesOf(gbk::encode(line))) {
            slots.push_back(std::move(slot));
        }
    }

    std::vector<Row> rows;
    auto alone = [](const std::vector<std::string>& set) {
        return [&set](const std::function<void(std::string_view)>& each) {
            for (const std::string& c : set) {
                each(c);
                each(c + "\r\n");
            }
        };
    };
    rows.push_back({"GB2312 characters alone on a line", Truth::Gbk, false, alone(gb2312)});
    rows.push_back({"GBK characters alone on a line", Truth::Gbk, false, alone(chars.all)});
    auto pairs = [](const std::vector<std::string>& set) {
        return [&set](const std::function<void(std::string_view)>& each) {
            std::string bytes;
            for (const std::string& first : set) {
                for (const std::string& second : set) {
                    bytes = first;
                    bytes += second;
                    bytes += "\r\n";
                    each(bytes);
                }
            }
        };
    };
    rows.push_back({"GB2312 characters in pairs", Truth::Gbk, true, pairs(gb2312)});
    rows.push_back({"GBK characters in pairs", Truth::Gbk, true, pairs(chars.all)});
    rows.push_back({"GBK characters in real lesson lines", Truth::Gbk, true,
                    [&](const std::function<void(std::string_view)>& each) {
                        std::string bytes;
                        for (const auto& [before, after] : slots) {
                            for (const std::string& c : chars.all) {
                                bytes = before;
                                bytes += c;
                                bytes += after;
                                bytes += "\r\n";
                                each(bytes);
                            }
                        }
                    }});
    rows.push_back({"real lesson lines in GBK, each alone", Truth::Gbk, false,
                    [&](const std::function<void(std::string_view)>& each) {
                        for (const std::string& line : gbkLessonLines) {
                            each(line + "\r\n");
                        }
                    }});
    rows.push_back({"real lessons in GBK", Truth::Gbk, false,
                    [&](const std::function<void(std::string_view)>& each) {
                        for (const auto& [name, text] : lessons) {
                            each(gbk::encode(text));
                        }
                    }});
    rows.push_back({"real lessons in UTF-8", Truth::Utf8, false,
                    [&](const std::function<void(std::string_view)>& each) {
                        for (const auto& [name, text] : lessons) {
                            each(text);
                        }
                    }});
    rows.push_back({"real lesson lines in UTF-8, each alone", Truth::Utf8, false,
                    [&](const std::function<void(std::string_view)>& each) {
                        for (const auto& [name, text] : lessons) {
                            for (const std::string& line : linesOf(text)) {
                                if (!utf8::isValid(line) ||
                                    gbk::decode(gbk::encode(line)) != line) {
                                    continue;
                                }
                                bool ascii = std::all_of(line.begin(), line.end(), [](char c) {
                                    return static_cast<unsigned char>(c) < 0x80;
                                });
                                if (!ascii) {
                                    each(line + "\r\n");
                                }
                            }
                        }
                    }});

    std::vector<Detector> detectors{{"rule", looksLikeUtf8, false}};
#ifdef HAVE_ICU_DETECTOR
    detectors.push_back({"ICU",
                         [](std::string_view bytes) {
                             UErrorCode status = U_ZERO_ERROR;
                             static UCharsetDetector* detector = ucsdet_open(&status);
                             ucsdet_setText(detector, bytes.data(),
                                            static_cast<int32_t>(bytes.size()), &status);
                             const UCharsetMatch* match = ucsdet_detect(detector, &status);
                             const char* name = match ? ucsdet_getName(match, &status) : "";
                             return U_SUCCESS(status) && std::string_view(name) == "UTF-8";
                         },
                         true});
#endif
#ifdef HAVE_UCHARDET
    detectors.push_back({"uchardet",
                         [](std::string_view bytes) {
                             static uchardet_t detector = uchardet_new();
                             uchardet_reset(detector);
                             uchardet_handle_data(detector, bytes.data(), bytes.size());
                             uchardet_data_end(detector);
                             return std::string_view(uchardet_get_charset(detector)) == "UTF-8";
                         },
                         true});
#endif

    std::printf("| cases | %s |\n",
                [&] {
                    std::string names;
                    for (const Detector& d : detectors) {
                        names += (names.empty() ? "" : " | ") + d.name;
                    }
                    return names;
                }()
                    .c_str());
    for (const Row& row : rows) {
        if (argc == 4 && row.name.find(argv[3]) == std::string::npos) {
            continue;
        }
        std::string line = "| " + row.name + " | ";
        for (const Detector& detector : detectors) {
            Tally tally;
            const auto start = std::chrono::steady_clock::now();
            if (row.exhaustive && detector.sampled) {
                // Every 997th case: a fixed, spread-out sample.
                long long index = 0;
                row.forEachCase([&](std::string_view bytes) {
                    if (index++ % 997 == 0) {
                        count(tally, detector.isUtf8(bytes), row.truth, bytes);
                    }
                });
            } else {
                row.forEachCase([&](std::string_view bytes) {
                    count(tally, detector.isUtf8(bytes), row.truth, bytes);
                });
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            line += std::to_string(tally.misreads) + " / " + std::to_string(tally.cases) +
                    (row.exhaustive && detector.sampled ? " (sample)" : "") + " | ";
            std::fprintf(stderr, "%s, %s: %.1f s\n", row.name.c_str(), detector.name.c_str(),
                         seconds);
            for (const std::string& example : tally.examples) {
                std::fprintf(stderr, "  misread: %s\n", example.c_str());
            }
        }
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return 0;
}
