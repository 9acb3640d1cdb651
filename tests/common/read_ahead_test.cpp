// A read started ahead of the start that wants it.
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "common/read_ahead.h"

using namespace lorvane::common;

TEST(ReadAheadTest, GivesTheReadOrNothingWhenTheReadThrows) {
    EXPECT_EQ(startReadingAhead([] { return std::optional<std::string>("第一课"); }).get(),
              "第一课");
    // What a missing converter or a full memory throws on the reading thread
    // doesn't reach the start: it reads the files itself and meets it there.
    EXPECT_FALSE(startReadingAhead([]() -> std::optional<int> {
                     throw std::runtime_error("no GBK converter");
                 }).get());
    EXPECT_FALSE(startReadingAhead([]() -> std::optional<int> { throw std::bad_alloc(); }).get());
}
