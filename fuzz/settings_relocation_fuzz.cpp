// Settings of any bytes, copied from a read-only lesson folder into the
// learner's copy, have their lesson paths moved:
// - Miselle's list, read as Miselle reads it, names the same lessons with the
//   same ticks, those in the old folder now in the copy, the others as
//   they were; the same for the lesson in Lorvane's settings;
// - a file that names no lesson in the old folder is left as it is.
// The first input byte chooses the file: odd for the list, even for the
// settings; the rest is its content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "common/ini_file.h"
#include "common/settings_relocation.h"
#include "common/stored_path.h"
#include "common/text_file.h"
#include "companion/engine/lesson_list.h"
#include "companion/engine/list_file.h"
#include "fuzz/scratch_folder.h"

using namespace lorvane::common;
using namespace lorvane::companion;

namespace {

constexpr std::string_view kFrom = "/只读/单词课文/";
constexpr std::string_view kTo = "/home/学/.local/share/lorvane/单词课文/";

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Where relocation must have put `path`.
std::string expectedPath(const std::string& path) {
    return path.starts_with(kFrom) ? std::string(kTo) + path.substr(kFrom.size()) : path;
}

LessonList readList(const ScratchFolder& scratch, std::string_view bytes) {
    scratch.write("listgirl.dat", bytes);
    LessonList list;
    check(readListFile(scratch.file("listgirl.dat"), list));
    return list;
}

std::string lessonIn(std::string_view settings) {
    return pathFromStoredText(trimSpaces(
        ini::Document::fromBytes(settings).value("单词", "filename", "", ini::kWholeValue)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 1) {
        const std::optional<std::string> moved = relocateLessonList(bytes, kFrom, kTo);
        const LessonList before = readList(scratch, bytes);
        if (!moved) {
            for (const LessonListEntry& entry : before.entries()) {
                check(!entry.path.starts_with(kFrom));
            }
            return 0;
        }
        const LessonList after = readList(scratch, *moved);
        check(after.count() == before.count());
        for (int i = 0; i < before.count(); ++i) {
            const LessonListEntry& was = before.entries()[static_cast<std::size_t>(i)];
            const LessonListEntry& is = after.entries()[static_cast<std::size_t>(i)];
            check(is.ticked == was.ticked);
            check(is.path == expectedPath(was.path));
        }
        return 0;
    }
    const std::optional<std::string> moved = relocateTrainerSettings(bytes, kFrom, kTo);
    const std::string before = lessonIn(bytes);
    if (!moved) {
        check(!before.starts_with(kFrom));
        return 0;
    }
    check(before.starts_with(kFrom));
    check(lessonIn(*moved) == expectedPath(before));
    return 0;
}
