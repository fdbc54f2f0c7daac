// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTime.h"
#include "../support/ExpectMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace velnora;

namespace {

struct DateCase {
    double date;
    uint16_t year, month, day;
    int weekday; // 1 = Sunday .. 7 = Saturday
};

TEST(DateTime, DecodesEncodesAndNamesTheWeekday) {
    const DateCase cases[] = {
        {0, 1899, 12, 30, 7},       {1, 1899, 12, 31, 1},    {-1, 1899, 12, 29, 6},
        {2, 1900, 1, 1, 2},         {36526, 2000, 1, 1, 7},  {36585, 2000, 2, 29, 3},
        {45371, 2024, 3, 20, 4},    {45557, 2024, 9, 22, 1}, {-693593, 1, 1, 1, 2},
        {2958465, 9999, 12, 31, 6}, {40258, 2010, 3, 21, 1}, {-306973, 1059, 7, 14, 5},
    };
    for (const DateCase& c : cases) {
        uint16_t y, m, d;
        DecodeDate(c.date, y, m, d);
        EXPECT_EQ(y, c.year) << c.date;
        EXPECT_EQ(m, c.month) << c.date;
        EXPECT_EQ(d, c.day) << c.date;
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.date);
        EXPECT_EQ(DayOfWeek(c.date), c.weekday) << c.date;
    }
}

TEST(DateTime, TheTimeOfDayIsIgnored) {
    uint16_t y, m, d;
    DecodeDate(45371.99, y, m, d);
    EXPECT_EQ(d, 20);
    // Before day 0 the fraction is the time of that day: -1.25 is 29 December 1899.
    DecodeDate(-1.25, y, m, d);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(DayOfWeek(-1.25), 6);
}

TEST(DateTime, ImpossibleDatesDoNotEncode) {
    const uint16_t cases[][3] = {{0, 1, 1},     {10000, 1, 1},        {2024, 0, 1},  {2024, 13, 1},
                                 {2024, 1, 0},  {2024, 1, 32},        {2023, 2, 29}, {1900, 2, 29},
                                 {2024, 4, 31}, {65535, 65535, 65535}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << "-" << c[1] << "-" << c[2]);
        ExpectMessage([&] { EncodeDate(c[0], c[1], c[2]); }, "Invalid argument to date encode");
    }
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351);
}

TEST(DateTime, DatesOutsideTheYears1To9999DoNotDecode) {
    uint16_t y, m, d;
    EXPECT_THROW(DecodeDate(-693594, y, m, d), std::runtime_error);
    EXPECT_THROW(DecodeDate(2958466, y, m, d), std::runtime_error);
    EXPECT_THROW(DecodeDate(std::nan(""), y, m, d), std::runtime_error);
    EXPECT_THROW(DayOfWeek(1e300), std::runtime_error);
}

TEST(DateTime, TodayCanBeReplacedAndRestored) {
    const double real = Today();
    EXPECT_EQ(real, static_cast<int>(real)); // midnight
    SetTodayForTesting([] { return 45371.0; });
    EXPECT_EQ(Today(), 45371);
    SetTodayForTesting({});
    const double again = Today();
    EXPECT_TRUE(again == real || again == real + 1); // the clock may pass midnight
}

} // namespace
