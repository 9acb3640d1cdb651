// The lesson chooser: folder level, a folder's texts, and what is selected.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/temp_folder.h"
#include "trainer/engine/lesson_chooser.h"

using namespace lorvane::common;
using namespace lorvane::trainer;

using Lines = std::vector<std::string>;

class ChooserTest : public ::testing::Test {
protected:
    ChooserTest() { std::filesystem::create_directories(lessons()); }

    std::string lessons() const { return folder.path() + "/单词课文/"; }
    void touch(const std::string& relative) {
        std::filesystem::create_directories(
            std::filesystem::path(lessons() + relative).parent_path());
        folder.write("单词课文/" + relative, "a  b\r\n");
    }
    void mkdir(const std::string& relative) {
        std::filesystem::create_directories(lessons() + relative);
    }

    TempFolder folder;
    Lines opened;
    int yields = 0;
    LessonChooser chooser{folder.path(), [this] { ++yields; },
                          [this](const std::string& path) { opened.push_back(path); }};
};

TEST_F(ChooserTest, WithoutALessonItOpensAtTheFolderLevel) {
    mkdir("unit 2");
    mkdir("Unit1");
    mkdir("课文");
    mkdir("old.backup");  // a dot: never listed
    mkdir(".hidden");
    touch("README");  // a file without a dot is listed like a folder
    touch("notes.txt");
    chooser.start("");
    EXPECT_EQ(chooser.title(), "课文");
    EXPECT_EQ(chooser.entries(), (Lines{"README", "unit 2", "Unit1", "课文"}));
    EXPECT_EQ(chooser.selectedEntry(), 3);  // the entry named like the caption
    EXPECT_FALSE(chooser.canGoBack());
    EXPECT_EQ(yields, 6);  // after every entry, listed or not
}

TEST_F(ChooserTest, WithALessonItListsItsFolderAndSelectsIt) {
    touch("Unit/a.txt");
    touch("Unit/b.txt");
    touch("Unit/c.TXT");
    chooser.start(lessons() + "Unit/b.txt");
    EXPECT_EQ(chooser.title(), "Unit");
    EXPECT_EQ(chooser.entries(), (Lines{"a.txt", "b.txt", "c.TXT"}));
    EXPECT_EQ(chooser.selectedEntry(), 1);
    EXPECT_TRUE(chooser.canGoBack());
}

TEST_F(ChooserTest, LaterEntriesOnlyHaveToContainTheName) {
    touch("Unit/a.txt");
    touch("Unit/ba.txt");
    chooser.start(lessons() + "Unit/a.txt");
    EXPECT_EQ(chooser.selectedEntry(), 1);  // "ba.txt" contains "a.txt"
}

TEST_F(ChooserTest, AVanishedFolderFallsBackToTheFolderLevel) {
    mkdir("Unit");
    chooser.start(lessons() + "Gone/a.txt");
    EXPECT_EQ(chooser.title(), "课文");
    EXPECT_EQ(chooser.entries(), Lines{"Unit"});
    EXPECT_EQ(chooser.selectedEntry(), -1);
}

TEST_F(ChooserTest, OpeningFoldersAndTextsAndGoingBack) {
    touch("Unit/a.txt");
    touch("Unit/UNIT1.TXT");
    chooser.start("");
    chooser.selectEntry(0);
    chooser.openSelected();
    EXPECT_EQ(chooser.title(), "Unit");
    EXPECT_EQ(chooser.entries(), (Lines{"a.txt", "UNIT1.TXT"}));
    EXPECT_EQ(chooser.selectedEntry(), -1);
    EXPECT_TRUE(chooser.canGoBack());

    chooser.openSelected();  // nothing selected
    EXPECT_TRUE(opened.empty());

    chooser.selectEntry(0);
    chooser.openSelected();  // "选择"
    EXPECT_EQ(opened, Lines{lessons() + "Unit/a.txt"});
    EXPECT_EQ(chooser.title(), "Unit");  // the chooser stays where it is

    // Capitals in the extension: opened like a folder, and empty.
    chooser.selectEntry(1);
    chooser.openSelected();
    EXPECT_EQ(chooser.title(), "UNIT1.TXT");
    EXPECT_TRUE(chooser.entries().empty());

    chooser.goBack();  // "返回"
    EXPECT_EQ(chooser.title(), "课文");
    EXPECT_FALSE(chooser.canGoBack());

    chooser.show();
    chooser.close();  // "关闭" only hides it
    EXPECT_FALSE(chooser.visible());
    EXPECT_EQ(chooser.entries(), Lines{"Unit"});
}

TEST_F(ChooserTest, AListingStartedWhileAnotherFillsReplacesIt) {
    for (const char* name : {"A", "B", "C", "D"}) {
        mkdir(name);
    }
    touch("A/x.txt");
    bool nested = false;
    LessonChooser reentrant(
        folder.path(),
        [&] {
            if (!nested) {
                nested = true;  // a click arrives while the folder level fills
                reentrant.selectEntry(0);
                reentrant.openSelected();
            }
        },
        [](const std::string&) {});
    reentrant.listFolders();
    EXPECT_EQ(reentrant.title(), "A");
    EXPECT_EQ(reentrant.entries(), Lines{"x.txt"});
}
