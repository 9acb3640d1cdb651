#include "common/lesson_folder_choice.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/gbk_codec.h"
#include "common/paths.h"
#include "tests/common/folder_tree.h"
#include "tests/common/read_only_folder.h"
#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {

namespace fs = std::filesystem;

// Settings text in GBK, as the programs write it.
std::string gbkText(const std::string& text) {
    return gbk::encode(text);
}

// A program folder as the build stages it: lessons in a real folder, with a
// learner's progress and settings beside them, which name the lesson by its
// path.
std::string portableFolder(const TempFolder& temp) {
    const std::string program = temp.file("程序");
    const std::string lesson = program + "/单词课文/基础词汇/第1课.txt";
    fs::create_directories(program + "/单词课文/基础词汇");
    temp.write("程序/单词课文/基础词汇/第1课.txt", "apple  苹果\r\n");
    temp.write("程序/单词课文/基础词汇/第1课.lt0", "apple  苹果\r\n\r\n");
    temp.write("程序/单词课文/dan.dat",
               gbkText("[单词]\r\nfilename=" + lesson + "\r\nwidth=1\r\n"));
    temp.write("程序/单词课文/listgirl.dat", gbkText("T" + lesson + "\r\n\r\n"));
    return program;
}

// The installed layout: the program folder libexec/lorvane reaches the
// lessons in share/lorvane through a relative link.
std::string installedFolder(const TempFolder& temp) {
    fs::create_directories(temp.file("usr/share/lorvane/单词课文/日常短语"));
    temp.write("usr/share/lorvane/单词课文/日常短语/第1课.txt", "hello  你好\r\n");
    temp.write("usr/share/lorvane/单词课文/word.dat", "hello  Hello!\r\n");
    fs::create_directories(temp.file("usr/libexec/lorvane"));
    fs::create_directory_symlink("../../share/lorvane/单词课文",
                                 temp.file("usr/libexec/lorvane/单词课文"));
    return temp.file("usr/libexec/lorvane");
}

// Sets an environment variable for one scope; nullptr unsets it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(LessonFolderChoice, AWritableProgramFolderKeepsItsLessonsAndMakesNothingElsewhere) {
    const TempFolder temp;
    const std::string program = portableFolder(temp);
    const auto before = folderTree(temp.path());

    EXPECT_EQ(chooseLessonFolder(program, temp.file("data/lorvane")), program + "/单词课文/");
    // Not even the file made to try the folder is left behind.
    EXPECT_EQ(folderTree(temp.path()), before);
}

TEST(LessonFolderChoice, AMissingOrOddLessonFolderIsLeftAsItWas) {
    const TempFolder temp;
    fs::create_directories(temp.file("missing"));
    EXPECT_EQ(chooseLessonFolder(temp.file("missing"), temp.file("data")),
              temp.file("missing/单词课文/"));
    // A file in its place, and a link that leads nowhere.
    fs::create_directories(temp.file("file"));
    temp.write("file/单词课文", "");
    EXPECT_EQ(chooseLessonFolder(temp.file("file"), temp.file("data")),
              temp.file("file/单词课文/"));
    fs::create_directories(temp.file("broken"));
    fs::create_directory_symlink(temp.file("nowhere"), temp.file("broken/单词课文"));
    EXPECT_EQ(chooseLessonFolder(temp.file("broken"), temp.file("data")),
              temp.file("broken/单词课文/"));
    EXPECT_FALSE(fs::exists(temp.file("data")));
}

TEST(LessonFolderChoice, AnInstalledCopyGivesTheLearnerHisOwnCopyOfTheLessons) {
    const TempFolder temp;
    const std::string program = installedFolder(temp);
    const auto installed = folderTree(temp.file("usr"));
    const std::string data = temp.file("home/.local/share/lorvane");

    // Also for root, who could write the installed files.
    EXPECT_TRUE(lessonFolderIsReadOnly(program + "/单词课文/"));
    EXPECT_EQ(chooseLessonFolder(program, data), data + "/单词课文/");
    EXPECT_EQ(folderTree(data + "/单词课文"), folderTree(program + "/单词课文/"));
    EXPECT_EQ(folderTree(temp.file("usr")), installed);
    // Private to the learner, as are the folders made on the way.
    struct stat status {};
    ASSERT_EQ(::stat(data.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(temp.file("home/.local").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
}

TEST(LessonFolderChoice, AReadOnlyProgramFolderIsContinuedInTheLearnersCopy) {
    const TempFolder temp;
    const std::string program = portableFolder(temp);
    const auto portable = folderTree(program);
    const ReadOnlyFolder readOnly(program + "/单词课文");
    if (!readOnly.ok()) {
        GTEST_SKIP() << "this machine lets the test make no folder read-only";
    }
    const std::string data = temp.file("data/lorvane");

    EXPECT_TRUE(lessonFolderIsReadOnly(program + "/单词课文"));
    EXPECT_EQ(chooseLessonFolder(program, data), data + "/单词课文/");
    // The progress and the settings come along, the settings naming the
    // copied lesson: the next run goes on from where the last one on this
    // folder stopped, and saves into the copy.
    auto expected = folderTree(program + "/单词课文");
    const std::string copied = data + "/单词课文/基础词汇/第1课.txt";
    expected["dan.dat"] = gbkText("[单词]\r\nfilename=" + copied + "\r\nwidth=1\r\n");
    expected["listgirl.dat"] = gbkText("T" + copied + "\r\n\r\n");
    EXPECT_EQ(folderTree(data + "/单词课文"), expected);
    EXPECT_EQ(folderTree(program), portable);
}

TEST(LessonFolderChoice, AFullDiskIsNoReasonToMoveTheLessons) {
    const TempFolder temp;
    const std::string lessons = temp.file("程序/单词课文");
    fs::create_directories(lessons);
    // Four inodes: the folder itself and three files, then not one more.
    if (::geteuid() != 0 ||
        ::mount("tmpfs", lessons.c_str(), "tmpfs", 0, "size=64k,nr_inodes=4") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { ::umount(folder.c_str()); }
    } unmount{lessons};
    for (int i = 0; i < 4; ++i) {
        temp.write("程序/单词课文/第" + std::to_string(i) + "课.txt", "");
    }
    ASSERT_LT(folderTree(lessons).size(), 4u) << "the disk did not fill up";

    EXPECT_EQ(chooseLessonFolder(temp.file("程序"), temp.file("data")), lessons + "/");
    EXPECT_FALSE(fs::exists(temp.file("data")));
}

TEST(LessonFolderChoice, WithoutADataFolderTheProgramFolderIsUsedAllTheSame) {
    const TempFolder temp;
    const std::string program = installedFolder(temp);
    EXPECT_EQ(chooseLessonFolder(program, ""), program + "/单词课文/");
    // A home that is a file: no data folder can be made beneath it.
    temp.write("home", "");
    EXPECT_EQ(chooseLessonFolder(program, temp.file("home/.local/share/lorvane")),
              program + "/单词课文/");
}

TEST(LessonFolderChoice, TheDataFolderFollowsXdgDataHomeOrHome) {
    const ScopedVariable home("HOME", "/home/小明");
    {
        const ScopedVariable xdg("XDG_DATA_HOME", "/data/小明//");
        EXPECT_EQ(learnerDataFolder(), "/data/小明/lorvane");
    }
    {
        const ScopedVariable xdg("XDG_DATA_HOME", "relative/data");  // to be ignored
        EXPECT_EQ(learnerDataFolder(), "/home/小明/.local/share/lorvane");
    }
    {
        const ScopedVariable xdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(learnerDataFolder(), "/home/小明/.local/share/lorvane");
        const ScopedVariable rootHome("HOME", "/");
        EXPECT_EQ(learnerDataFolder(), "/.local/share/lorvane");
    }
}

TEST(LessonFolderChoice, ARunKeepsTheFolderItChoseFirst) {
    const TempFolder temp;
    const std::string program = installedFolder(temp);
    const ScopedVariable xdg("XDG_DATA_HOME", temp.file("data").c_str());
    const std::string learners = temp.file("data/lorvane/单词课文/");

    EXPECT_EQ(lessonFolder(program), learners);
    // The installed lessons go; a writable folder takes their place. The
    // run's files stay where its first ones went.
    fs::remove(program + "/单词课文");
    fs::create_directory(program + "/单词课文");
    EXPECT_EQ(lessonFolder(program), learners);
    EXPECT_EQ(chooseLessonFolder(program, temp.file("data/lorvane")), program + "/单词课文/");
}
