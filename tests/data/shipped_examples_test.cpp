// The example sentences shipped in word.dat, checked against the shipped
// lessons: the learner presses "例句" for any lesson word and hears English.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/lesson_entry.h"
#include "common/text_file.h"

using namespace lorvane::common;

namespace {

namespace fs = std::filesystem;

const fs::path kLessonFolder = fs::path(LORVANE_DATA_FOLDER) / "单词课文";

struct Line {
    int number;  // 1-based
    std::string text;
};

// The lines of a data file as the program folder gets them: the sources are
// kept with LF (or CR LF) line ends and staged one line per line.
std::vector<Line> sourceLines(const fs::path& path) {
    const Result<std::string> read = readFileBytes(path.string());
    EXPECT_TRUE(read) << path << ": " << read.message();
    std::vector<Line> lines;
    if (!read) {
        return lines;
    }
    const std::string* bytes = &read.value();
    std::size_t start = 0;
    int number = 0;
    while (start < bytes->size()) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos) {
            end = bytes->size();
        }
        std::string text = bytes->substr(start, end - start);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        lines.push_back({++number, std::move(text)});
        start = end + 1;
    }
    return lines;
}

// The sentences as the example search sees them: trimmed, blank lines left out.
std::vector<Line> exampleSentences() {
    std::vector<Line> sentences;
    for (Line& line : sourceLines(kLessonFolder / "word.dat")) {
        line.text = std::string(trimSpaces(line.text));
        if (!line.text.empty()) {
            sentences.push_back(std::move(line));
        }
    }
    return sentences;
}

struct LessonWord {
    std::string where;  // lesson and line number
    std::string english;
    bool hasSeparator;
};

std::vector<LessonWord> lessonWords() {
    std::vector<fs::path> lessons;
    for (const auto& item : fs::recursive_directory_iterator(kLessonFolder)) {
        if (item.is_regular_file() && item.path().extension() == ".txt") {
            lessons.push_back(item.path());
        }
    }
    std::sort(lessons.begin(), lessons.end());
    std::vector<LessonWord> words;
    for (const fs::path& lesson : lessons) {
        const std::string name = fs::relative(lesson, kLessonFolder).string();
        for (const Line& line : sourceLines(lesson)) {
            const std::string_view text = trimSpaces(line.text);
            if (text.empty()) {
                continue;
            }
            const LessonEntry entry = splitEntry(text);
            words.push_back(
                {name + ":" + std::to_string(line.number), entry.english, entry.hasSeparator});
        }
    }
    return words;
}

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// Where `sentence` holds `word` with no letter joined to either end: the
// search also finds "ill" inside "will", but such a sentence is no example
// of the word.
bool usesWord(const std::string& sentence, const std::string& word) {
    for (std::size_t at = sentence.find(word); at != std::string::npos;
         at = sentence.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !isLetter(sentence[at - 1])) &&
            (end == sentence.size() || !isLetter(sentence[end]))) {
            return true;
        }
    }
    return false;
}

// What the English voice can read as English: printable ASCII. Anything
// else (Chinese, full-width punctuation, curly quotes) it spells out or names.
bool isPlainEnglish(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte <= 0x7e;
    });
}

std::string listed(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) {
        all += "  " + line + "\n";
    }
    return all;
}

}  // namespace

TEST(ShippedExamples, AreWholeEnglishSentencesEachOnce) {
    const std::vector<Line> sentences = exampleSentences();
    ASSERT_FALSE(sentences.empty()) << "word.dat holds no sentence";

    std::vector<std::string> problems;
    std::map<std::string, int> firstLine;
    for (const Line& s : sentences) {
        const std::string at = "word.dat:" + std::to_string(s.number) + " ";
        if (!isPlainEnglish(s.text)) {
            problems.push_back(at +
                               "not plain English (the voice reads it out letter by "
                               "letter): " +
                               s.text);
        } else if (!std::isupper(static_cast<unsigned char>(s.text.front())) ||
                   std::string_view(".!?").find(s.text.back()) == std::string_view::npos) {
            problems.push_back(at + "not a whole sentence: " + s.text);
        }
        if (const auto [it, first] = firstLine.emplace(s.text, s.number); !first) {
            problems.push_back(at + "the same sentence as line " + std::to_string(it->second) +
                               " (the list would show it twice)");
        }
    }
    EXPECT_TRUE(problems.empty()) << sentences.size() << " sentences, " << problems.size()
                                  << " problems:\n"
                                  << listed(problems);
}

TEST(ShippedExamples, NameEveryLessonWordWithItsExactCase) {
    const std::vector<Line> sentences = exampleSentences();
    const std::vector<LessonWord> words = lessonWords();
    ASSERT_FALSE(words.empty()) << "no lesson found in " << kLessonFolder;

    std::vector<std::string> missing;
    for (const LessonWord& word : words) {
        if (!word.hasSeparator) {
            missing.push_back(word.where + " has no two spaces between word and meaning");
            continue;
        }
        const bool used = std::any_of(sentences.begin(), sentences.end(), [&](const Line& s) {
            return usesWord(s.text, word.english);
        });
        if (used) {
            continue;
        }
        const bool inside = std::any_of(sentences.begin(), sentences.end(), [&](const Line& s) {
            return s.text.find(word.english) != std::string::npos;
        });
        missing.push_back(word.where + " \"" + word.english + "\"" +
                          (inside ? " (only inside another word)" : ""));
    }
    EXPECT_TRUE(missing.empty()) << words.size() << " lesson words and phrases, "
                                 << sentences.size() << " sentences; " << missing.size()
                                 << " words without an example sentence:\n"
                                 << listed(missing);
}
