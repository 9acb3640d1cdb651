#include "common/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Three files of a set, with the given contents.
std::vector<FileWrite> setOf(const TempFolder& folder, const std::string& a, const std::string& b,
                             const std::string& c) {
    return {{folder.file("x.lt0"), a}, {folder.file("x.lt1"), b}, {folder.file("x.lt2"), c}};
}

std::vector<std::string> pathsOf(const std::vector<FileWrite>& files) {
    std::vector<std::string> paths;
    for (const FileWrite& file : files) {
        paths.push_back(file.path);
    }
    return paths;
}

// A small file system of its own, for full and read-only disks; skips the
// test where it can't be mounted (it needs root).
class SmallDisk {
public:
    SmallDisk(const TempFolder& folder, int pages) : path_(folder.file("disk")) {
        std::filesystem::create_directory(path_);
        const std::string size = "size=" + std::to_string(pages * 4) + "k";
        mounted_ =
            ::geteuid() == 0 && ::mount("tmpfs", path_.c_str(), "tmpfs", 0, size.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount(path_.c_str());
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }
    bool makeReadOnly() const {
        return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string path_;
    bool mounted_ = false;
};

}  // namespace

TEST(AtomicFile, ReplacesTheWholeFileAndKeepsItsMode) {
    TempFolder folder;
    const std::string file = folder.write("a.lt0", "old content that is longer\r\n");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_TRUE(writeFileAtomically(file, "new\r\n"));
    EXPECT_EQ(folder.read("a.lt0"), "new\r\n");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"a.lt0"});
}

TEST(AtomicFile, AFolderInTheWayChangesNothingAndLeavesNoTemporaryFile) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("a.lt0/inside"));
    const Status written = writeFileAtomically(folder.file("a.lt0"), "x");
    EXPECT_FALSE(written);
    EXPECT_NE(written.message().find("a.lt0"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("a.lt0/inside")));

    // In a set, a folder in place of the second file keeps the first one too.
    folder.write("x.lt0", "old 0");
    folder.write("x.lt2", "old 2");
    std::filesystem::create_directory(folder.file("x.lt1"));
    const ReplaceResult result = replaceFiles(setOf(folder, "new 0", "new 1", "new 2"));
    EXPECT_EQ(result.outcome, ReplaceResult::Outcome::Unchanged);
    EXPECT_EQ(result.errnoValue, EISDIR);
    EXPECT_EQ(result.path, folder.file("x.lt1"));
    EXPECT_EQ(folder.read("x.lt0"), "old 0");
    EXPECT_EQ(folder.read("x.lt2"), "old 2");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"a.lt0", "x.lt0", "x.lt1", "x.lt2"}));
}

TEST(AtomicFile, AMissingFolderIsNotCreated) {
    TempFolder folder;
    const ReplaceResult result =
        replaceFiles({{folder.file("gone/a"), "1"}, {folder.file("gone/b"), "2"}});
    EXPECT_EQ(result.outcome, ReplaceResult::Outcome::Unchanged);
    EXPECT_EQ(result.errnoValue, ENOENT);
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone")));
}

TEST(AtomicFile, ASetIsReplacedWholeWithNothingLeftBeside) {
    TempFolder folder;
    folder.write("x.lt0", "old 0");
    ASSERT_TRUE(replaceFiles(setOf(folder, "new 0", "new 1", "")).replaced());
    EXPECT_EQ(folder.read("x.lt0"), "new 0");
    EXPECT_EQ(folder.read("x.lt1"), "new 1");
    EXPECT_EQ(folder.read("x.lt2"), "");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2"}));
}

// A lesson name may use all 255 bytes a file name can have; the staged
// files and the record beside it must still be nameable.
TEST(AtomicFile, TargetsWithTheLongestNamesCanBeReplaced) {
    TempFolder folder;
    // 83 Chinese characters of 3 bytes each and ".lt0": 253 bytes.
    std::string base;
    for (int i = 0; i < 83; ++i) {
        base += "课";
    }
    const std::string first = base.substr(0, 246) + "ab.lt0";  // cut inside a character
    const std::string second = base.substr(0, 246) + "ab.lt1";
    ASSERT_EQ(first.size(), 252u);
    const std::string longest = std::string(251, 'x') + ".lt0";
    ASSERT_EQ(longest.size(), 255u);
    ASSERT_TRUE(replaceFiles({{folder.file(first), "1"}, {folder.file(second), "2"}}).replaced());
    ASSERT_TRUE(writeFileAtomically(folder.file(longest), "3"));
    EXPECT_EQ(folder.read(first), "1");
    EXPECT_EQ(folder.read(second), "2");
    EXPECT_EQ(folder.read(longest), "3");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{first, second, longest}));
    for (const std::string& name : {first, second, longest}) {
        EXPECT_LE(stagingName(name).size(), 255u);
        EXPECT_LE(commitRecordName(name).size(), 255u);
    }
    // Two long names that share their first 240 bytes still stage apart.
    EXPECT_NE(stagingName(first), stagingName(second));
}

// What a save killed before its commit record was in place leaves: some
// staged files. The old set stands and the staged files go.
TEST(AtomicFile, StagedFilesWithoutACommitAreThrownAway) {
    TempFolder folder;
    const auto files = setOf(folder, "old 0", "old 1", "old 2");
    ASSERT_TRUE(replaceFiles(files).replaced());
    folder.write(stagingName("x.lt0"), "new 0");
    folder.write(stagingName("x.lt1"), "new 1");
    EXPECT_EQ(recoverFiles(pathsOf(files)).outcome, RecoveryResult::Outcome::Discarded);
    EXPECT_EQ(folder.read("x.lt0"), "old 0");
    EXPECT_EQ(folder.read("x.lt1"), "old 1");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2"}));
    EXPECT_EQ(recoverFiles(pathsOf(files)).outcome, RecoveryResult::Outcome::Clean);
}

// What a save killed between its renames leaves: the record, some files
// already new and the others still staged. The first reader completes the
// set; the record format is fixed, since a later version must honour it.
TEST(AtomicFile, ACommittedSetIsCompletedByWhoeverComesNext) {
    TempFolder folder;
    const auto files = setOf(folder, "old 0", "old 1", "old 2");
    ASSERT_TRUE(replaceFiles(files).replaced());
    folder.write(commitRecordName("x.lt0"),
                 "lorvane file set 1\n5 x.lt0\n5 x.lt1\n5 x.lt2\nend 3\n");
    folder.write("x.lt0", "new 0");  // already renamed
    folder.write(stagingName("x.lt1"), "new 1");
    folder.write(stagingName("x.lt2"), "new 2");

    std::string seenWhileLocked;
    const RecoveryResult result = recoverFiles(
        pathsOf(files), [&](const RecoveryResult&) { seenWhileLocked = folder.read("x.lt2"); });
    EXPECT_EQ(result.outcome, RecoveryResult::Outcome::Completed);
    EXPECT_EQ(seenWhileLocked, "new 2");
    EXPECT_EQ(folder.read("x.lt0"), "new 0");
    EXPECT_EQ(folder.read("x.lt1"), "new 1");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2"}));

    // The next save does the same before it stages anything of its own.
    folder.write(commitRecordName("x.lt0"),
                 "lorvane file set 1\n5 x.lt0\n5 x.lt1\n5 x.lt2\nend 3\n");
    folder.write(stagingName("x.lt2"), "newer 2");
    ASSERT_TRUE(replaceFiles({files[0], files[1]}).replaced());
    EXPECT_EQ(folder.read("x.lt2"), "newer 2");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2"}));
}

TEST(AtomicFile, ARecordThatIsNotWholeCommitsNothing) {
    TempFolder folder;
    const auto files = setOf(folder, "old 0", "old 1", "old 2");
    ASSERT_TRUE(replaceFiles(files).replaced());
    for (const std::string record :
         {"lorvane file set 1\n5 x.lt0\n5 x.lt1\n", "lorvane file set 1\n5 x.lt0\nend 3\n",
          "lorvane file set 1\n9 x.lt0\nend 1\n", "lorvane file set 1\n4 ../x\nend 1\n", ""}) {
        folder.write(commitRecordName("x.lt0"), record);
        folder.write(stagingName("x.lt1"), "new 1");
        EXPECT_EQ(recoverFiles(pathsOf(files)).outcome, RecoveryResult::Outcome::Discarded)
            << record;
        EXPECT_EQ(folder.read("x.lt1"), "old 1");
        EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2"}));
    }
}

// The earlier way of saving left "<name>.tmp-XXXXXX" behind after a kill.
TEST(AtomicFile, TemporaryFilesOfEarlierVersionsAreRemovedToo) {
    TempFolder folder;
    const auto files = setOf(folder, "0", "1", "2");
    folder.write("x.lt0.tmp-Ab12Cd", "left by a kill");
    folder.write("x.lt2.tmp-zzzzzz", "left by a kill");
    folder.write("x.lt0.tmp-notes.txt", "the learner's");
    folder.write("y.lt0.tmp-Ab12Cd", "another lesson's");
    ASSERT_TRUE(replaceFiles(files).replaced());
    EXPECT_EQ(namesIn(folder.path()),
              (std::set<std::string>{"x.lt0", "x.lt1", "x.lt2", "x.lt0.tmp-notes.txt",
                                     "y.lt0.tmp-Ab12Cd"}));
}

TEST(AtomicFile, ALinkIsReplacedAndWhatItPointsToIsKept) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("elsewhere"));
    folder.write("elsewhere/real", "kept");
    std::filesystem::create_symlink(folder.file("elsewhere/real"), folder.file("x.lt0"));
    std::filesystem::create_symlink(folder.file("elsewhere/real"), folder.file("dan.dat"));
    ASSERT_TRUE(replaceFiles(setOf(folder, "new 0", "new 1", "new 2")).replaced());
    ASSERT_TRUE(writeFileAtomically(folder.file("dan.dat"), "new"));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("x.lt0")));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("dan.dat")));
    EXPECT_EQ(folder.read("x.lt0"), "new 0");
    EXPECT_EQ(folder.read("dan.dat"), "new");
    EXPECT_EQ(folder.read("elsewhere/real"), "kept");
}

// The disk runs full at every step of a save in turn: each time either the
// whole new set is in place or the whole old one, and nothing is left over.
TEST(AtomicFile, AFullDiskAtAnyStepLeavesTheOldSetOrTheNewOne) {
    int replaced = 0;
    int unchanged = 0;
    for (int freePages = 0; freePages <= 9; ++freePages) {
        TempFolder folder;
        SmallDisk disk(folder, 6 + freePages);
        if (!disk.mounted()) {
            GTEST_SKIP() << "mounting a small tmpfs needs root";
        }
        std::vector<FileWrite> files;
        for (int i = 0; i < 6; ++i) {
            files.push_back({disk.file("x.lt" + std::to_string(i)), "old " + std::to_string(i)});
        }
        for (FileWrite& file : files) {
            std::ofstream(file.path, std::ios::binary) << file.bytes;
            file.bytes = "new" + file.bytes.substr(3);
        }
        const ReplaceResult result = replaceFiles(files);
        ASSERT_NE(result.outcome, ReplaceResult::Outcome::Unfinished);
        const std::string expected = result.replaced() ? "new" : "old";
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(readFileBytes(files[static_cast<std::size_t>(i)].path).valueOr("<unread>"),
                      expected + " " + std::to_string(i))
                << freePages << " pages free";
        }
        if (!result.replaced()) {
            EXPECT_EQ(result.errnoValue, ENOSPC);
        }
        EXPECT_EQ(namesIn(disk.path()).size(), 6u) << freePages << " pages free";
        ++(result.replaced() ? replaced : unchanged);
    }
    // The staged files and the record take 7 pages: 7 of the 10 runs fail,
    // each at a different step.
    EXPECT_EQ(unchanged, 7);
    EXPECT_EQ(replaced, 3);
}

TEST(AtomicFile, AReadOnlyDiskKeepsTheOldSet) {
    TempFolder folder;
    SmallDisk disk(folder, 16);
    if (!disk.mounted()) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    ASSERT_TRUE(replaceFiles({{disk.file("a"), "old a"}, {disk.file("b"), "old b"}}).replaced());
    ASSERT_TRUE(disk.makeReadOnly());
    const ReplaceResult result =
        replaceFiles({{disk.file("a"), "new a"}, {disk.file("b"), "new b"}});
    EXPECT_EQ(result.outcome, ReplaceResult::Outcome::Unchanged);
    EXPECT_EQ(result.errnoValue, EROFS);
    EXPECT_EQ(readFileBytes(disk.file("a")).valueOr("<unread>"), "old a");
    EXPECT_EQ(readFileBytes(disk.file("b")).valueOr("<unread>"), "old b");
}
