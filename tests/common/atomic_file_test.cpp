#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>

#include "temp_folder.h"

namespace {
std::size_t fileCount(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}
}  // namespace

TEST(AtomicFile, ReplacesTheWholeFileAndKeepsItsMode) {
    TempFolder folder;
    const std::string file = folder.write("a.lt0", "old content that is longer\r\n");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_TRUE(writeFileAtomically(file, "new\r\n"));
    EXPECT_EQ(folder.read("a.lt0"), "new\r\n");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(fileCount(folder.path()), 1u);
}

TEST(AtomicFile, FailedRenameLeavesTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("a.lt0/inside"));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(folder.file("a.lt0"), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("a.lt0/inside")));
    EXPECT_EQ(fileCount(folder.path()), 1u);
}

TEST(AtomicFile, FullDiskLeavesTheOldFileIntact) {
    TempFolder folder;
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const std::string file = disk + "/a.lt0";
    ASSERT_TRUE(writeFileAtomically(file, "saved progress\r\n"));
    EXPECT_FALSE(writeFileAtomically(file, std::string(1 << 20, 'x')));
    EXPECT_EQ(readFileBytes(file), "saved progress\r\n");
    EXPECT_EQ(fileCount(disk), 1u);
    ::umount(disk.c_str());
}

TEST(AtomicFile, AFileSetIsReplacedWholeOrNotAtAll) {
    TempFolder folder;
    folder.write("a.lt0", "old 0");
    folder.write("a.lt1", "old 1");
    // The second file cannot be staged: its folder is missing.
    EXPECT_FALSE(writeFilesAtomically(
        {{folder.file("a.lt0"), "new 0"}, {folder.file("missing/a.lt1"), "new 1"}}));
    EXPECT_EQ(folder.read("a.lt0"), "old 0");
    EXPECT_EQ(fileCount(folder.path()), 2u);

    ASSERT_TRUE(
        writeFilesAtomically({{folder.file("a.lt0"), "new 0"}, {folder.file("a.lt1"), "new 1"}}));
    EXPECT_EQ(folder.read("a.lt0"), "new 0");
    EXPECT_EQ(folder.read("a.lt1"), "new 1");
    EXPECT_EQ(fileCount(folder.path()), 2u);
}
