#include "common/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

using namespace lorvane::common;

namespace {

bool hasAsciiLetter(const std::string& text) {
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The learner reads these inside Chinese messages: none may fall back to the
// system's English, and each common cause needs its own text.
TEST(ErrorText, CommonErrorsAreSaidInChineseEachInItsOwnWords) {
    const int common[] = {ENOSPC, EROFS, EACCES, ENAMETOOLONG, ENOENT, EISDIR, EIO, EFBIG};
    std::set<std::string> texts;
    for (const int code : common) {
        const std::string text = describeSystemError(code);
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_FALSE(hasAsciiLetter(text)) << code << " " << text;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(common));
    EXPECT_EQ(describeSystemError(EPERM), describeSystemError(EACCES));
    EXPECT_EQ(describeSystemError(ENOSPC), "磁盘已满");
    EXPECT_NE(describeNotRegularFile(false), describeNotRegularFile(true));
}

TEST(ErrorText, AnUncommonErrorIsNamedBySymbolNotBySystemText) {
    const std::string text = describeSystemError(EXDEV + 1000);
    EXPECT_NE(text.find("系统错误"), std::string::npos);
    EXPECT_NE(describeSystemError(EAGAIN).find("EAGAIN"), std::string::npos);
}
