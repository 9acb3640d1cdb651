#pragma once

#include <array>
#include <optional>
#include <string>

#include "common/result.h"
#include "trainer/engine/study_options.h"

namespace lorvane::trainer {

// The study window's place and size, in twips.
struct WindowPlace {
    static constexpr int kCollapsedHeight = 4125;  // the word-bank panel closed
    static constexpr int kExpandedHeight = 6060;   // the panel open

    int left = 0;
    int top = 0;
    int width = 6165;
    int height = kCollapsedHeight;
};

// What the settings file dan.dat keeps between runs.
struct StudySettings {
    WindowPlace place;
    std::array<OptionState, kStudyOptionCount> options{};
    int voice = -1;  // index in the voice list; -1 for the system's default
    int rate = 0;    // -10 … 10
    // The open lesson's full path; "" for none. Not there when the file names
    // no lesson at all: the learner then chooses one.
    std::optional<std::string> lesson;
};

// The settings file of the program in `programFolder`: "dan.dat" in its
// lesson folder.
std::string studySettingsFile(const std::string& programFolder);

// Reads `file` onto `settings`. A key that is missing takes its default (the
// place centred on a screen of `screenWidth` × `screenHeight` twips, the
// options of a first start); a value that is not a number or out of range
// leaves what `settings` held. A voice index must name one of `voiceCount`
// voices or be -1. A file that can't be read gives every default; what a
// killed save left is finished or thrown away first.
void readStudySettings(const std::string& file, int screenWidth, int screenHeight, int voiceCount,
                       StudySettings& settings);

// Writes all twelve keys in one go: a kill leaves the old file or the new one.
// A lesson path holding a line break is stored as "".
common::Status writeStudySettings(const std::string& file, const StudySettings& settings);

// Whether a lesson path holds a line break, which the settings file cannot
// keep: such a lesson is not reopened at the next start.
bool holdsLineBreak(std::string_view path);

}  // namespace lorvane::trainer
