// The start-up value: named after the executable, its quoted full path.
#include <gtest/gtest.h>

#include "companion/engine/startup_value.h"

using namespace lorvane::companion;

TEST(StartupValueTest, QuotedPathWithCapitalExtensionAndTwentyFiveSpaces) {
    const StartupValue value = startupValue("/home/learner/学习 程序", "Miselle");
    EXPECT_EQ(value.name, "Miselle");
    EXPECT_EQ(value.data, "\"/home/learner/学习 程序/Miselle.EXE\"" + std::string(25, ' '));
}

TEST(StartupValueTest, TheExtensionOfTheStartedFileIsReplaced) {
    const StartupValue value = startupValue("/opt/m", "miselle.exe");
    EXPECT_EQ(value.name, "miselle");
    EXPECT_EQ(value.data, "\"/opt/m/miselle.EXE\"                         ");
    // A leading dot is part of the name, not an extension.
    EXPECT_EQ(startupValue("/opt/m", ".hidden").name, ".hidden");
}
