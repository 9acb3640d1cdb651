#pragma once

#include <string>
#include <string_view>

namespace lorvane::companion {

// The start-up value that has the companion started when the learner logs
// on, as the companion writes it into the system's Run key where such a key
// exists: named after the executable, holding its quoted full path. On a
// Linux desktop the same information goes into an XDG autostart entry named
// after `name`; the data shows exactly what the value would hold.
struct StartupValue {
    std::string name;  // the executable's file name without its extension
    std::string data;  // "\"<folder>/<name>.EXE\"" followed by 25 spaces
};

// `programFolder` without a trailing separator; `executableFileName` as the
// program was started (with or without an extension). ".EXE" is always
// written in capitals, whatever the real extension.
StartupValue startupValue(std::string_view programFolder, std::string_view executableFileName);

}  // namespace lorvane::companion
