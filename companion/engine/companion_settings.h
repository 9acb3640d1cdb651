#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

namespace lorvane::companion {

struct CompanionState;

// Where the companion keeps its settings: both files in the lesson folder.
struct SettingsFiles {
    std::string settingsFile;    // girl.dat: colours, place, options, cursor, voice
    std::string lessonListFile;  // listgirl.dat: the lesson list
};
SettingsFiles settingsFilesIn(std::string_view lessonFolder);

// Read once at start-up, after the voice list is filled. A missing file or
// key gives the default; a value that does not convert leaves its setting as
// it is. Steps run in a fixed order, since the voice settings pass each
// change on to the voice.
void loadSettings(const SettingsFiles& files, CompanionState& state);

// The lesson the start-up display will load from these settings: the
// entry at the stored current lesson, when the list has it and any lesson
// is ticked; nothing otherwise. Read as loadSettings reads the files.
std::optional<std::string> lessonToReopen(const SettingsFiles& files);

// Written once, at a confirmed exit: each file is written in one go, and
// the two are replaced as one set, both or neither. The failure says why.
common::Status saveSettings(const SettingsFiles& files, const CompanionState& state);

}  // namespace lorvane::companion
