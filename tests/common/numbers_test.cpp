#include "common/numbers.h"

#include <gtest/gtest.h>

using namespace lorvane::common;

TEST(Numbers, Int16RoundsToNearestWithTiesToEven) {
    EXPECT_EQ(toInt16("12"), 12);
    EXPECT_EQ(toInt16(" -3 "), -3);
    EXPECT_EQ(toInt16("+7"), 7);
    EXPECT_EQ(toInt16("1234.5"), 1234);
    EXPECT_EQ(toInt16("1235.5"), 1236);
    EXPECT_EQ(toInt16("-2.5"), -2);
    EXPECT_EQ(toInt16("2.51"), 3);
    EXPECT_EQ(toInt16(".5"), 0);
    EXPECT_EQ(toInt16("1e3"), 1000);
    EXPECT_EQ(toInt16("6165"), 6165);
}

TEST(Numbers, Int16RefusesNonNumbersAndValuesOutsideSixteenBits) {
    EXPECT_EQ(toInt16("32767"), 32767);
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16("-32768.5"), -32768);       // rounds to even, inside
    EXPECT_EQ(toInt16("32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(toInt16("40000"), std::nullopt);
    for (const char* text :
         {"", " ", "abc", "12abc", "1.2.3", "0x10", "inf", "nan", "\t5", "--1", "1e", "."}) {
        EXPECT_EQ(toInt16(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(Numbers, Int32HoldsColours) {
    EXPECT_EQ(toInt32("16777215"), 16777215);
    EXPECT_EQ(toInt32("8421376"), 8421376);
    EXPECT_EQ(toInt32("2147483648"), std::nullopt);
    EXPECT_EQ(toInt32("white"), std::nullopt);
}

TEST(Numbers, FormatsWholeValuesWithoutPoint) {
    EXPECT_EQ(formatNumber(6165), "6165");
    EXPECT_EQ(formatNumber(-3), "-3");
    EXPECT_EQ(formatNumber(0), "0");
    EXPECT_EQ(formatNumber(1234.5), "1234.5");
    EXPECT_EQ(toInt16(formatNumber(-2000)), -2000);
}
