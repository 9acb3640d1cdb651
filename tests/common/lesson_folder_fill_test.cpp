#include "common/lesson_folder_fill.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <thread>

#include "tests/common/folder_tree.h"
#include "tests/common/read_only_folder.h"
#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {

namespace fs = std::filesystem;

// A shipped lesson folder and a learner's data folder, in one temporary
// folder.
class LessonFolderFill : public ::testing::Test {
protected:
    LessonFolderFill() { fs::create_directories(shipped()); }

    std::string shipped() const { return temp_.file("share/单词课文"); }
    std::string data() const { return temp_.file("home/lorvane"); }
    std::string lessons() const { return data() + "/单词课文"; }

    void ship(const std::string& relative, const std::string& bytes) const {
        const fs::path path = shipped() + "/" + relative;
        fs::create_directories(path.parent_path());
        temp_.write("share/单词课文/" + relative, bytes);
    }
    // The learner's own file, as the programs or an editor leave it.
    void keep(const std::string& relative, const std::string& bytes) const {
        const fs::path path = lessons() + "/" + relative;
        fs::create_directories(path.parent_path());
        temp_.write("home/lorvane/单词课文/" + relative, bytes);
    }
    std::string learners(const std::string& relative) const {
        return temp_.read("home/lorvane/单词课文/" + relative);
    }
    std::optional<std::string> fill() const { return fillLessonFolder(shipped(), data()); }

    TempFolder temp_;
};

}  // namespace

TEST_F(LessonFolderFill, TheFirstFillCopiesEveryShippedLessonWithNothingLeftOver) {
    fs::copy(SHIPPED_LESSONS, shipped(), fs::copy_options::recursive);
    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), folderTree(shipped()));
    // Only the lessons and the record of what was given; no copy in the
    // making is left, hidden or not.
    EXPECT_EQ(folderTree(data()).size(), folderTree(shipped()).size() + 2);
    EXPECT_TRUE(fs::is_regular_file(data() + "/" + std::string(kShippedRecordName)));
    // Writable for the learner, whatever the shipped files' modes.
    struct stat status {};
    ASSERT_EQ(::stat((lessons() + "/基础词汇/第1课.txt").c_str(), &status), 0);
    EXPECT_TRUE(status.st_mode & S_IWUSR);
}

TEST_F(LessonFolderFill, ALaterReleaseAddsItsNewLessonsAndTouchesNothingOfTheLearners) {
    ship("基础词汇/第1课.txt", "apple  苹果\r\n");
    ship("word.dat", "apple  An apple a day.\r\n");
    ASSERT_EQ(fill(), lessons());
    // The learner studies, edits a lesson and the example sentences.
    keep("基础词汇/第1课.txt", "apple  苹果\r\npear  梨\r\n");
    keep("基础词汇/第1课.lt0", "pear  梨\r\n\r\n");
    keep("dan.dat", "[单词]\r\nfilename=x\r\n");
    keep("word.dat", "apple  My own sentence.\r\n");
    const auto studied = folderTree(lessons());
    fs::last_write_time(lessons() + "/dan.dat",
                        fs::file_time_type::clock::now() - std::chrono::hours(24));
    const auto dayOld = fs::last_write_time(lessons() + "/dan.dat");

    // The next release corrects a shipped lesson, adds one beside it, a new
    // folder of lessons and a file the learner happens to have made too.
    ship("基础词汇/第1课.txt", "apple  苹果（更正）\r\n");
    ship("基础词汇/第2课.txt", "book  书\r\n");
    ship("考试词汇/第1课.txt", "exam  考试\r\n");
    ship("dan.dat", "[单词]\r\nfilename=shipped\r\n");
    ASSERT_EQ(fill(), lessons());

    auto expected = studied;
    expected["基础词汇/第2课.txt"] = "book  书\r\n";
    expected["考试词汇/"] = "";
    expected["考试词汇/第1课.txt"] = "exam  考试\r\n";
    EXPECT_EQ(folderTree(lessons()), expected);
    EXPECT_EQ(fs::last_write_time(lessons() + "/dan.dat"), dayOld);
}

TEST_F(LessonFolderFill, WhatTheLearnerDeletedStaysDeletedUntilTheWholeFolderGoes) {
    ship("基础词汇/第1课.txt", "apple  苹果\r\n");
    ship("考试词汇/第1课.txt", "exam  考试\r\n");
    ASSERT_EQ(fill(), lessons());
    fs::remove_all(lessons() + "/考试词汇");
    fs::remove(lessons() + "/基础词汇/第1课.txt");
    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), (std::map<std::string, std::string>{{"基础词汇/", ""}}));

    // A learner who removes the lesson folder starts over with every lesson.
    fs::remove_all(lessons());
    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), folderTree(shipped()));
}

TEST_F(LessonFolderFill, OddNamesAreCopiedByteForByteAndOddFilesNotAtAll) {
    const std::map<std::string, std::string> odd = {
        {"a lesson with spaces.txt", "1\r\n"},
        {"-starts-with-a-dash.txt", "2\r\n"},
        {"line\nbreak.txt", "3\r\n"},
        {"\xb5\xda\x31\xbf\xce.txt", "4\r\n"},  // 第1课 in GBK: no UTF-8
        {"100% $HOME `x` \\ \"q\".txt", "5\r\n"},
        {std::string(251, 'x') + ".txt", "6\r\n"},  // as long as a name can be
        {"empty.txt", ""},
    };
    for (const auto& [name, bytes] : odd) {
        ship("课文/" + name, bytes);
    }
    // Hidden leftovers of a save, a pipe (reading it would wait forever), a
    // link to a device that never ends, a link back up the tree, and a link
    // to a lesson, which counts as the lesson.
    ship("课文/.第1课.1234abcd.tmp", "staged\r\n");
    ASSERT_EQ(::mkfifo((shipped() + "/课文/pipe.txt").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", shipped() + "/课文/zero.txt");
    fs::create_directory_symlink("..", shipped() + "/课文/loop");
    fs::create_symlink("empty.txt", shipped() + "/课文/linked.txt");
    std::string deep = "课文";
    for (int level = 0; level < 20; ++level) {
        deep += "/d";
    }
    ship(deep + "/deep.txt", "7\r\n");
    ship("课文/d/d/d/shallow.txt", "8\r\n");

    auto done = std::async(std::launch::async, [this] { return fill(); });
    ASSERT_EQ(done.wait_for(std::chrono::seconds(20)), std::future_status::ready)
        << "the fill hangs";
    ASSERT_EQ(done.get(), lessons());
    for (const auto& [name, bytes] : odd) {
        EXPECT_EQ(learners("课文/" + name), bytes) << name;
    }
    EXPECT_EQ(learners("课文/linked.txt"), "");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(lessons() + "/课文/linked.txt")));
    for (const char* left : {".第1课.1234abcd.tmp", "pipe.txt", "zero.txt", "loop"}) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(lessons() + "/课文/" + left))) << left;
    }
    // Some depth of folders is copied, however deep the tree goes.
    EXPECT_EQ(learners("课文/d/d/d/shallow.txt"), "8\r\n");
    EXPECT_FALSE(fs::exists(lessons() + "/" + deep + "/deep.txt"));
}

TEST_F(LessonFolderFill, NamesTheLearnerHasTakenAreLeftAlone) {
    ship("基础词汇/第1课.txt", "apple  苹果\r\n");
    ship("基础词汇/第2课.txt", "book  书\r\n");
    ship("日常短语/第1课.txt", "hello  你好\r\n");
    // A folder where a lesson would go, a file where a folder would, and a
    // link of the learner's to a lesson of his own elsewhere.
    fs::create_directories(lessons() + "/基础词汇/第1课.txt");
    keep("日常短语", "not a folder");
    temp_.write("mine.txt", "mine  我的\r\n");
    fs::create_symlink(temp_.file("mine.txt"), lessons() + "/基础词汇/第2课.txt");
    const auto before = folderTree(lessons());

    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), before);
    EXPECT_EQ(temp_.read("mine.txt"), "mine  我的\r\n");
}

TEST_F(LessonFolderFill, AReadOnlyShippedFolderIsOnlyRead) {
    fs::copy(SHIPPED_LESSONS, shipped(), fs::copy_options::recursive);
    const auto before = folderTree(shipped());
    const ReadOnlyFolder readOnly(shipped());
    if (!readOnly.ok()) {
        GTEST_SKIP() << "this machine lets the test make no folder read-only";
    }
    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), before);
    EXPECT_EQ(folderTree(shipped()), before);
}

TEST_F(LessonFolderFill, TwoProgramsStartingAtOnceGiveEachLessonOnce) {
    for (int i = 0; i < 50; ++i) {
        ship("课文" + std::to_string(i % 5) + "/第" + std::to_string(i) + "课.txt",
             std::string(1000 + i, 'a' + static_cast<char>(i % 26)));
    }
    for (int round = 0; round < 5; ++round) {
        fs::remove_all(data());
        auto first = std::async(std::launch::async, [this] { return fill(); });
        auto second = std::async(std::launch::async, [this] { return fill(); });
        ASSERT_EQ(first.get(), lessons());
        ASSERT_EQ(second.get(), lessons());
        ASSERT_EQ(folderTree(lessons()), folderTree(shipped()));
        // Every name recorded once: the second fill saw the first one's record.
        const std::string record = temp_.read("home/lorvane/" + std::string(kShippedRecordName));
        EXPECT_EQ(std::count(record.begin(), record.end(), '\0'), 50);
    }
}

TEST_F(LessonFolderFill, AFullDiskLeavesNoHalfLessonAndTheNextFillFinishes) {
    for (int i = 0; i < 12; ++i) {
        ship("课文/第" + std::to_string(i) + "课.txt", std::string(16 * 1024, '0' + i % 10));
    }
    fs::create_directories(data());
    if (::geteuid() != 0 || ::mount("tmpfs", data().c_str(), "tmpfs", 0, "size=96k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { ::umount(folder.c_str()); }
    } unmount{data()};

    ASSERT_EQ(fill(), lessons());
    auto copied = folderTree(lessons());
    ASSERT_LT(copied.size(), 13u) << "the disk was not full";
    for (const auto& [name, bytes] : copied) {
        if (!name.ends_with('/')) {
            EXPECT_EQ(bytes, temp_.read("share/单词课文/" + name)) << name;
        }
    }
    EXPECT_FALSE(fs::exists(lessons() + "/课文/.lorvane-fill.tmp"));

    ASSERT_EQ(::mount("tmpfs", data().c_str(), "tmpfs", MS_REMOUNT, "size=1m"), 0);
    ASSERT_EQ(fill(), lessons());
    EXPECT_EQ(folderTree(lessons()), folderTree(shipped()));
}
