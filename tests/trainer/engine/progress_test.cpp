// The card boxes saved beside the lesson and restored from there.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include "tests/trainer/engine/study_fixture.h"
#include "trainer/engine/progress_files.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

namespace {
const std::string kApple = "apple  \xC6\xBB\xB9\xFB";  // "apple  苹果" in GBK
}

TEST_F(StudyTest, SavingWritesSixGbkFilesWithAClosingEmptyLine) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());
    EXPECT_EQ(readRaw("第一课.lt0"),
              "pear  \xC0\xE6\r\nplum  \xC0\xEE\xD7\xD3\r\npeach  \xCC\xD2\r\n\r\n");
    for (const char* empty : {"第一课.lt1", "第一课.lt2", "第一课.lt3", "第一课.lt4"}) {
        EXPECT_EQ(readRaw(empty), "\r\n") << empty;
    }
    EXPECT_EQ(readRaw("第一课.lt5"), kApple + "\r\n\r\n");
    EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(StudyTest, NothingIsSavedWithoutALesson) {
    EXPECT_TRUE(session.saveProgress());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lessonDir()),
                            std::filesystem::directory_iterator()),
              0);
}

TEST_F(StudyTest, TheBaseNameEndsAtTheFirstTxtInThePath) {
    std::filesystem::create_directories(lessonDir() + "/单词.txt备份");
    session.openLesson(writeLesson("单词.txt备份/第一课.txt", {"one  一"}));
    ASSERT_TRUE(session.saveProgress());
    EXPECT_EQ(readRaw("单词.lt0"), "one  \xD2\xBB\r\n\r\n");
}

TEST_F(StudyTest, SaveThenRestoreGivesTheSameBoxesInTheSameOrder) {
    // Undecodable bytes and a line without separator come back unchanged.
    const std::string odd = "odd\xFF  \xC6";
    writeRaw("第一课.txt", kApple + "\r\npear 梨\r\n" + odd + "\r\nplum  p\r\npeach  q\r\n");
    session.openLesson(lessonDir() + "/第一课.txt");
    session.nextWord();  // to "pear 梨"
    session.nextWord();  // to the odd line
    answer(gbk::decode("odd\xFF"));
    session.previousWord();
    session.nextWord();  // plum
    for (const char* wrong : {"a", "b", "c"}) {
        answer(wrong);
    }
    ASSERT_TRUE(session.saveProgress());
    std::array<Lines, 6> before;
    for (int i = 0; i < 6; ++i) {
        before[static_cast<std::size_t>(i)] = box(i);
    }
    EXPECT_EQ(readRaw("第一课.lt5"), odd + "\r\n\r\n");

    StudySession next(folder.path(), voice, recorder, random, prompts);
    ASSERT_TRUE(next.restoreProgress(lessonDir() + "/第一课.txt"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(boxEntries(next.boxes(), i), before[static_cast<std::size_t>(i)]) << "box " << i;
    }
    EXPECT_EQ(next.boxes().chosenBox(), 0);
    EXPECT_EQ(next.expectedAnswer(), "apple");
    EXPECT_EQ(next.currentEntry(), 0);
}

TEST_F(StudyTest, ContinuingALessonRestoresItsBoxesWithoutReadingIt) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());
    writeLesson("第一课.txt", {"changed  改了"});

    prompts.continueProgress = true;
    session.openLesson(lessonDir() + "/第一课.txt");
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(box(0), (Lines{"pear  梨", "plum  李子", "peach  桃"}));
    EXPECT_EQ(box(5), Lines{"apple  苹果"});
    EXPECT_EQ(session.expectedAnswer(), "pear");
}

TEST_F(StudyTest, CancelStartsAfreshAndTheNextSaveReplacesTheOldProgress) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());

    prompts.continueProgress = false;
    openFruit();
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(box(0).size(), 4u);
    EXPECT_EQ(readRaw("第一课.lt5"), kApple + "\r\n\r\n");  // untouched until the save
    ASSERT_TRUE(session.saveProgress());
    EXPECT_EQ(readRaw("第一课.lt5"), "\r\n");
}

TEST_F(StudyTest, RestoreStopsAtAMissingFile) {
    writeRaw("第三课.lt0", "a  1\r\n\r\n   \r\n  b  2  \r\n\r\n");
    writeRaw("第三课.lt1", "c  3\r\n\r\n");
    EXPECT_FALSE(session.restoreProgress(lessonDir() + "/第三课.txt"));
    EXPECT_EQ(box(0), (Lines{"a  1", "b  2"}));
    EXPECT_EQ(box(1), Lines{"c  3"});
    EXPECT_TRUE(box(2).empty());
    EXPECT_EQ(session.boxes().chosenBox(), -1);  // nothing selected or shown
    EXPECT_EQ(session.expectedAnswer(), "");
    EXPECT_NE(session.message().find("第三课.lt2"), std::string::npos);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(StudyTest, RestoreWithAnEmptyNewWordBoxShowsNothing) {
    writeRaw("第三课.lt0", "\r\n");
    for (int i = 1; i < 6; ++i) {
        writeRaw("第三课.lt" + std::to_string(i), i == 5 ? "a  1\r\n\r\n" : "\r\n");
    }
    EXPECT_TRUE(session.restoreProgress(lessonDir() + "/第三课.txt"));
    EXPECT_EQ(box(5), Lines{"a  1"});
    EXPECT_EQ(session.boxes().chosenBox(), -1);
    EXPECT_EQ(session.expectedAnswer(), "");
    answer("a");
    EXPECT_EQ(box(5), Lines{"a  1"});
}

// The learner is told once, on the message line, when the lesson comes up;
// closing (or leaving with "O") says nothing more.
TEST_F(StudyTest, APathWithoutTxtIsNeitherSavedNorRestored) {
    const std::string told = "课文“lesson.TXT”的名字里没有“.txt”，学习进度无法读取，也无法保存。";
    session.openLesson(writeLesson("lesson.TXT", {"one  一"}));
    EXPECT_EQ(box(0), Lines{"one  一"});
    EXPECT_EQ(session.message(), told);
    EXPECT_FALSE(session.saveProgress());
    session.leaveLessonByMouse();
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_FALSE(session.restoreProgress(session.currentLesson()));
    EXPECT_EQ(session.message(), told);
    EXPECT_FALSE(std::filesystem::exists(lessonDir() + "/lesson.TXT.lt0"));
    EXPECT_FALSE(std::filesystem::exists(lessonDir() + "/lesson.lt0"));
}

namespace {
std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}
}  // namespace

TEST_F(StudyTest, AFolderNamedLikeTheFirstProgressFileIsNoProgress) {
    std::filesystem::create_directory(lessonDir() + "/第一课.lt0");
    openFruit();
    EXPECT_EQ(prompts.questions, 0);  // nothing to continue
    EXPECT_EQ(box(0).size(), 4u);
    EXPECT_FALSE(session.saveProgress());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("原来的进度文件保持不变"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("“第一课.lt0”：是文件夹"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(lessonDir() + "/第一课.lt0"));
    EXPECT_EQ(entriesIn(lessonDir()), 2u);  // the lesson and the folder, nothing else
}

// A folder in place of a later file used to stop the save after the first
// files had been replaced, while the message said nothing had changed.
TEST_F(StudyTest, AFolderInTheWayOfAnyProgressFileChangesNone) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());
    std::array<std::string, 6> saved;
    for (int i = 0; i < 6; ++i) {
        saved[static_cast<std::size_t>(i)] = readRaw("第一课.lt" + std::to_string(i));
    }
    std::filesystem::remove(lessonDir() + "/第一课.lt3");
    std::filesystem::create_directory(lessonDir() + "/第一课.lt3");
    answer("pear");
    EXPECT_FALSE(session.saveProgress());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("原来的进度文件保持不变"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("第一课.lt3"), std::string::npos);
    for (int i : {0, 1, 2, 4, 5}) {
        EXPECT_EQ(readRaw("第一课.lt" + std::to_string(i)), saved[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(entriesIn(lessonDir()), 7u);
}

// Any name a lesson can have is a name its progress files can have, up to
// the 255 bytes of a file name.
TEST_F(StudyTest, ALessonWithTheLongestNameSavesItsProgress) {
    const std::string name = std::string(251, 'x') + ".txt";
    session.openLesson(writeLesson(name, {"one  一", "two  二"}));
    answer("one");
    ASSERT_TRUE(session.saveProgress());
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_EQ(readRaw(std::string(251, 'x') + ".lt5"), "one  \xD2\xBB\r\n\r\n");
    EXPECT_EQ(entriesIn(lessonDir()), 7u);
}

// A close killed between renaming the first and the last file has
// committed its set; the next start finishes it before anything is read.
TEST_F(StudyTest, ASaveKilledHalfWayIsFinishedBeforeTheLessonIsRead) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());  // old: apple memorized
    // What the killed save left: the record, .lt0 already new, the rest staged.
    writeRaw(commitRecordName("第一课.lt0"),
             "lorvane file set 1\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt0\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt1\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt2\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt3\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt4\n"
             "13 \xE7\xAC\xAC\xE4\xB8\x80\xE8\xAF\xBE.lt5\n"
             "end 6\n");
    writeRaw("第一课.lt0", "plum  p\r\n\r\n");
    writeRaw(stagingName("第一课.lt1"), "pear  q\r\n\r\n");
    for (const char* empty : {"第一课.lt2", "第一课.lt3", "第一课.lt4"}) {
        writeRaw(stagingName(empty), "\r\n");
    }
    writeRaw(stagingName("第一课.lt5"), "apple  r\r\npeach  s\r\n\r\n");

    StudySession next(folder.path(), voice, recorder, random, prompts);
    ASSERT_TRUE(next.restoreProgress(lessonDir() + "/第一课.txt"));
    EXPECT_EQ(boxEntries(next.boxes(), 0), Lines{"plum  p"});
    EXPECT_EQ(boxEntries(next.boxes(), 1), Lines{"pear  q"});
    EXPECT_EQ(boxEntries(next.boxes(), 5), (Lines{"apple  r", "peach  s"}));
    EXPECT_EQ(entriesIn(lessonDir()), 7u);
}

// Killed before the record was in place: the last complete set stands, and
// what the killed save (or an earlier version of the program) left is gone.
TEST_F(StudyTest, TemporaryFilesOfAKilledSaveGoAtTheNextLoad) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());
    writeRaw(stagingName("第一课.lt0"), "half  a save\r\n");
    writeRaw("第一课.lt2.tmp-Xy12Zq", "\r\n");
    prompts.continueProgress = true;
    openFruit();
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(box(0), (Lines{"pear  梨", "plum  李子", "peach  桃"}));
    EXPECT_EQ(entriesIn(lessonDir()), 7u);
}

// Restoring stopped at a missing ".lt3": the boxes after it stayed empty,
// and the next close used to write them over ".lt4" and ".lt5".
TEST_F(StudyTest, ProgressThatCouldNotBeReadIsNeverOverwritten) {
    writeRaw("第三课.lt0", "a  1\r\nb  2\r\n\r\n");
    writeRaw("第三课.lt1", "\r\n");
    writeRaw("第三课.lt2", "\r\n");
    writeRaw("第三课.lt4", "c  3\r\n\r\n");
    writeRaw("第三课.lt5", "d  4\r\ne  5\r\nf  6\r\n\r\n");
    EXPECT_FALSE(session.restoreProgress(lessonDir() + "/第三课.txt"));
    EXPECT_NE(session.message().find("第三课.lt3"), std::string::npos);
    EXPECT_NE(session.message().find("不会保存"), std::string::npos);
    chooseBox(0);
    answer("a");
    EXPECT_FALSE(session.saveProgress());
    EXPECT_FALSE(session.saveProgress());
    EXPECT_TRUE(prompts.warnings.empty());  // told once, on the message line
    EXPECT_EQ(readRaw("第三课.lt0"), "a  1\r\nb  2\r\n\r\n");
    EXPECT_EQ(readRaw("第三课.lt4"), "c  3\r\n\r\n");
    EXPECT_EQ(readRaw("第三课.lt5"), "d  4\r\ne  5\r\nf  6\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(lessonDir() + "/第三课.lt3"));

    // Starting the lesson afresh is the learner's choice to replace it all.
    writeLesson("第三课.txt", {"a  1"});
    prompts.continueProgress = false;
    session.openLesson(lessonDir() + "/第三课.txt");
    EXPECT_TRUE(session.saveProgress());
    EXPECT_EQ(readRaw("第三课.lt3"), "\r\n");
    EXPECT_EQ(readRaw("第三课.lt5"), "\r\n");
}

TEST_F(StudyTest, AFailedSaveIsReportedAndKeepsTheOldProgress) {
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    folder.write("disk/big.txt", "one  1\r\ntwo  2\r\n");
    session.openLesson(disk + "/big.txt");
    ASSERT_TRUE(session.saveProgress());
    const std::string saved = folder.read("disk/big.lt0");
    // Far more than the small disk holds.
    for (int i = 0; i < 6000; ++i) {
        session.editBoxes().add(3, "word" + std::to_string(i) + "  释义");
    }
    EXPECT_FALSE(session.saveProgress());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("原来的进度文件保持不变"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("磁盘已满"), std::string::npos);
    EXPECT_EQ(folder.read("disk/big.lt0"), saved);
    EXPECT_EQ(folder.read("disk/big.lt0"), "one  1\r\ntwo  2\r\n\r\n");
    EXPECT_EQ(folder.read("disk/big.lt3"), "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk),
                            std::filesystem::directory_iterator()),
              7);  // the lesson and its six files, no temporary file left
    ::umount(disk.c_str());
}

TEST_F(StudyTest, AMissingLessonIsReportedAndNothingOfTheOldOneStays) {
    openFruit();
    session.openLesson(lessonDir() + "/不存在.txt");
    EXPECT_TRUE(box(0).empty());
    EXPECT_EQ(session.expectedAnswer(), "");
    EXPECT_EQ(session.meaningLine(), "");
    EXPECT_NE(session.message().find("无法打开课文"), std::string::npos);
    answer("apple");
    EXPECT_TRUE(box(5).empty());
}

TEST_F(StudyTest, ALessonLongerThanABoxKeepsItsFirstEntries) {
    std::string bytes;
    for (int i = 0; i < 32770; ++i) {
        bytes += "w" + std::to_string(i) + "  x\r\n";
    }
    session.openLesson(writeRaw("长课.txt", bytes));
    EXPECT_EQ(box(0).size(), 32767u);
    EXPECT_EQ(box(0).back(), "w32766  x");
    EXPECT_NE(session.message().find("其余3行"), std::string::npos);
    EXPECT_EQ(session.expectedAnswer(), "w0");
}

TEST_F(StudyTest, AReadOnlyFolderKeepsTheOldProgressAndSaysWhy) {
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    folder.write("disk/small.txt", "one  1\r\n");
    session.openLesson(disk + "/small.txt");
    ASSERT_TRUE(session.saveProgress());
    answer("one");
    ASSERT_EQ(::mount("tmpfs", disk.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_FALSE(session.saveProgress());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("原来的进度文件保持不变"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("只读"), std::string::npos);
    EXPECT_EQ(folder.read("disk/small.lt0"), "one  1\r\n\r\n");
    EXPECT_EQ(folder.read("disk/small.lt5"), "\r\n");
    ::umount(disk.c_str());
}

namespace {
// Makes a file immutable (or not): nothing can replace or remove it, which
// no check beforehand can see. Needs root and a file system that has the
// flag; false when it could not be set.
bool setImmutable(const std::string& path, bool immutable) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

// A file that refuses to be replaced after the new set was committed: the
// learner hears that the save is not yet all in place, no start reads the
// mixture, and once the file lets go the next start puts the new set in.
TEST_F(StudyTest, ASaveThatCannotBeFinishedIsSaidSoAndFinishedLater) {
    openFruit();
    answer("apple");
    ASSERT_TRUE(session.saveProgress());
    const std::string stuck = lessonDir() + "/第一课.lt3";
    if (!setImmutable(stuck, true)) {
        GTEST_SKIP() << "making a file immutable needs root and a file system with the flag";
    }
    struct Release {
        std::string path;
        ~Release() { setImmutable(path, false); }
    } release{stuck};
    answer("pear");
    EXPECT_FALSE(session.saveProgress());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_NE(prompts.warnings[0].find("还没有全部换上"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("第一课.lt3"), std::string::npos);
    EXPECT_NE(prompts.warnings[0].find("下次打开这篇课文时"), std::string::npos);

    StudySession meanwhile(folder.path(), voice, recorder, random, prompts);
    EXPECT_FALSE(meanwhile.restoreProgress(lessonDir() + "/第一课.txt"));
    EXPECT_NE(meanwhile.message().find("没能全部换上"), std::string::npos);
    for (BoxId box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(meanwhile.boxes().count(box), 0);
    }
    EXPECT_FALSE(meanwhile.saveProgress());  // nor is the mixture saved over
    EXPECT_EQ(prompts.warnings.size(), 1u);

    ASSERT_TRUE(setImmutable(stuck, false));
    StudySession later(folder.path(), voice, recorder, random, prompts);
    ASSERT_TRUE(later.restoreProgress(lessonDir() + "/第一课.txt"));
    EXPECT_EQ(boxEntries(later.boxes(), 0), (Lines{"plum  李子", "peach  桃"}));
    EXPECT_EQ(boxEntries(later.boxes(), 5), (Lines{"apple  苹果", "pear  梨"}));
    EXPECT_EQ(entriesIn(lessonDir()), 7u);
}
