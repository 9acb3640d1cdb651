#pragma once

#include <string>
#include <string_view>

namespace lorvane::companion {

struct CompanionModel;

// Where the companion keeps its settings: both files in the lesson folder.
struct SettingsFiles {
    std::string girlDat;      // colours, position, check marks, cursor, voice
    std::string listgirlDat;  // the lesson list
};
SettingsFiles settingsFilesIn(std::string_view lessonFolder);

// Read once at start-up, after the voice list is filled. A missing file or
// key gives the default; a value that does not convert leaves its control as
// it is. Steps run in a fixed order, since the voice settings pass each
// change on to the voice.
void loadSettings(const SettingsFiles& files, CompanionModel& model);

// Written once, at a confirmed exit: each file is written in one go, and
// the two are replaced as one set, both or neither. Returns whether they
// were; nothing is reported to the learner.
bool saveSettings(const SettingsFiles& files, const CompanionModel& model);

}  // namespace lorvane::companion
