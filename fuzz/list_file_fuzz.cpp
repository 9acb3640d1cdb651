// A lesson list file of any bytes is read, written and read again:
// - the file written from what was read reads back as the same list;
// - writing that again gives the same bytes;
// - no entry holds a line break, and the list never passes its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "companion/engine/lesson_list.h"
#include "companion/engine/list_file.h"
#include "fuzz/scratch_folder.h"

using namespace lorvane::common;
using namespace lorvane::companion;

namespace {
void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string file = scratch.file("listgirl.dat");
    scratch.write("listgirl.dat", bytes);

    LessonList first;
    check(readListFile(file, first));
    check(first.count() <= LessonList::kMaxEntries);
    for (const LessonListEntry& entry : first.entries()) {
        check(entry.path.find_first_of("\r\n") == std::string::npos);
    }

    const std::string written = encodeListFile(first);
    scratch.write("listgirl.dat", written);
    LessonList second;
    check(readListFile(file, second));
    check(second.entries() == first.entries());
    check(encodeListFile(second) == written);
    return 0;
}
