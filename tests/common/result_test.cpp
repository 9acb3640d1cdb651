#include "common/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace lorvane::common;

namespace {

Result<int> parsePositive(int n) {
    if (n <= 0) {
        return Failure{"不是正数"};
    }
    return n;
}

TEST(Result, CarriesEitherTheValueOrTheLearnersMessage) {
    const Result<int> good = parsePositive(3);
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(good.value(), 3);
    EXPECT_EQ(good.message(), "");

    const Result<int> bad = parsePositive(-1);
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.message(), "不是正数");
}

TEST(Result, AValueThatCanOnlyMoveComesOut) {
    Result<std::unique_ptr<std::string>> made = std::make_unique<std::string>("apple");
    ASSERT_TRUE(made);
    const std::unique_ptr<std::string> taken = std::move(made).value();
    EXPECT_EQ(*taken, "apple");
}

TEST(Status, IsSuccessUntilAFailureIsGiven) {
    const Status done;
    EXPECT_TRUE(done.ok());
    EXPECT_EQ(done.message(), "");
    const Status refused = Failure{"进度文件写不进去"};
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.message(), "进度文件写不进去");
}

}  // namespace
