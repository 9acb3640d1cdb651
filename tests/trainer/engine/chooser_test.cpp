// The lesson chooser: folder level, a folder's texts, and what is selected.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/temp_folder.h"
#include "trainer/engine/form1.h"

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
    Form1 chooser{folder.path(), [this] { ++yields; },
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
    chooser.create("");
    EXPECT_EQ(chooser.caption, "课文");
    EXPECT_EQ(chooser.List1.items(), (Lines{"README", "unit 2", "Unit1", "课文"}));
    EXPECT_EQ(chooser.List1.selected, 3);  // the entry named like the caption
    EXPECT_FALSE(chooser.Command1[1].enabled);
    EXPECT_EQ(yields, 6);  // after every entry, listed or not
}

TEST_F(ChooserTest, WithALessonItListsItsFolderAndSelectsIt) {
    touch("Unit/a.txt");
    touch("Unit/b.txt");
    touch("Unit/c.TXT");
    chooser.create(lessons() + "Unit/b.txt");
    EXPECT_EQ(chooser.caption, "Unit");
    EXPECT_EQ(chooser.List1.items(), (Lines{"a.txt", "b.txt", "c.TXT"}));
    EXPECT_EQ(chooser.List1.selected, 1);
    EXPECT_TRUE(chooser.Command1[1].enabled);
}

TEST_F(ChooserTest, LaterEntriesOnlyHaveToContainTheName) {
    touch("Unit/a.txt");
    touch("Unit/ba.txt");
    chooser.create(lessons() + "Unit/a.txt");
    EXPECT_EQ(chooser.List1.selected, 1);  // "ba.txt" contains "a.txt"
}

TEST_F(ChooserTest, AVanishedFolderFallsBackToTheFolderLevel) {
    mkdir("Unit");
    chooser.create(lessons() + "Gone/a.txt");
    EXPECT_EQ(chooser.caption, "课文");
    EXPECT_EQ(chooser.List1.items(), Lines{"Unit"});
    EXPECT_EQ(chooser.List1.selected, -1);
}

TEST_F(ChooserTest, OpeningFoldersAndTextsAndGoingBack) {
    touch("Unit/a.txt");
    touch("Unit/UNIT1.TXT");
    chooser.create("");
    chooser.List1.selected = 0;
    chooser.openEntry();
    EXPECT_EQ(chooser.caption, "Unit");
    EXPECT_EQ(chooser.List1.items(), (Lines{"a.txt", "UNIT1.TXT"}));
    EXPECT_EQ(chooser.List1.selected, -1);
    EXPECT_TRUE(chooser.Command1[1].enabled);

    chooser.openEntry();  // nothing selected
    EXPECT_TRUE(opened.empty());

    chooser.List1.selected = 0;
    chooser.command1Click(0);  // "选择"
    EXPECT_EQ(opened, Lines{lessons() + "Unit/a.txt"});
    EXPECT_EQ(chooser.caption, "Unit");  // the chooser stays where it is

    // Capitals in the extension: opened like a folder, and empty.
    chooser.List1.selected = 1;
    chooser.openEntry();
    EXPECT_EQ(chooser.caption, "UNIT1.TXT");
    EXPECT_EQ(chooser.List1.count(), 0);

    chooser.command1Click(1);  // "返回"
    EXPECT_EQ(chooser.caption, "课文");
    EXPECT_FALSE(chooser.Command1[1].enabled);

    chooser.visible = true;
    chooser.command1Click(2);  // "关闭" only hides it
    EXPECT_FALSE(chooser.visible);
    EXPECT_EQ(chooser.List1.items(), Lines{"Unit"});
}

TEST_F(ChooserTest, AListingStartedWhileAnotherFillsReplacesIt) {
    for (const char* name : {"A", "B", "C", "D"}) {
        mkdir(name);
    }
    touch("A/x.txt");
    bool nested = false;
    Form1 reentrant(
        folder.path(),
        [&] {
            if (!nested) {
                nested = true;  // a click arrives while the folder level fills
                reentrant.List1.selected = 0;
                reentrant.openEntry();
            }
        },
        [](const std::string&) {});
    reentrant.listfolders();
    EXPECT_EQ(reentrant.caption, "A");
    EXPECT_EQ(reentrant.List1.items(), Lines{"x.txt"});
}
