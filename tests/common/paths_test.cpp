#include "common/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lorvane::common;

TEST(Paths, GetfilenameIsThePartAfterTheLastSlash) {
    EXPECT_EQ(getfilename("/home/li/单词课文/基础/第一课.txt"), "第一课.txt");
    EXPECT_EQ(getfilename("no-slash.txt"), "no-slash.txt");
    EXPECT_EQ(getfilename("/folder/"), "");
    EXPECT_EQ(getfilename(""), "");
}

TEST(Paths, LessonBaseNameEndsBeforeTheFirstLowerCaseTxt) {
    EXPECT_EQ(lessonBaseName("/l/单词课文/a/第一课.txt"), "/l/单词课文/a/第一课");
    EXPECT_EQ(lessonBaseName("/l/old.txt.d/lesson.txt"), "/l/old");
    EXPECT_EQ(lessonBaseName("/l/LESSON.TXT"), std::nullopt);
    EXPECT_EQ(lessonBaseName(""), std::nullopt);
}

TEST(Paths, ProgramFolderIsTheFolderOfTheRunningExecutable) {
    const std::string folder = programFolder();
    EXPECT_FALSE(folder.ends_with('/'));
    EXPECT_TRUE(std::filesystem::exists(folder + "/common_tests"));
    EXPECT_EQ(lessonFolder("/opt/lorvane"), "/opt/lorvane/单词课文/");
}
