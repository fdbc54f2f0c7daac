// SPDX-License-Identifier: GPL-3.0-or-later

#include "PersianDate.h"
#include "../support/ExpectMessage.h"
#include "DateTime.h"
#include "Gregorian.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <stdexcept>

using namespace velnora;

using namespace PersianDate;

namespace {

struct Ymd {
    uint16_t year, month, day;
    bool operator==(const Ymd&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Ymd& d) {
    return out << d.year << "/" << d.month << "/" << d.day;
}

Ymd Persian(double date) {
    Ymd d{};
    DateToPersian(date, d.year, d.month, d.day);
    return d;
}

Ymd PersianOfJD(long double jd, CalendarRule rule = CalendarRule::Arithmetic) {
    Ymd d{};
    JDToPersian(jd, d.year, d.month, d.day, rule);
    return d;
}

Ymd GregorianOfJD(long double jd) {
    Ymd d{};
    JDToGregorian(jd, d.year, d.month, d.day);
    return d;
}

struct DateCase {
    double date;
    Ymd persian;
};

TEST(PersianDate, CalendarDatesGiveTheirPersianDay) {
    const DateCase cases[] = {
        {0, {1278, 10, 9}},       // 30 December 1899
        {36526, {1378, 10, 11}},  // 1 January 2000
        {38066, {1383, 1, 1}},    // 20 March 2004
        {45370, {1402, 12, 29}},  // 19 March 2024, 1402 common
        {45371, {1403, 1, 1}},    // 20 March 2024
        {45371.75, {1403, 1, 1}}, // the time of day is ignored
        {45556, {1403, 6, 31}},   // 21 September 2024
        {45557, {1403, 7, 1}},    // 22 September 2024
        {45735, {1403, 12, 29}},  // 19 March 2025, 1403 common
        {45736, {1404, 1, 1}},    // 20 March 2025
        {46101, {1404, 12, 30}},  // 20 March 2026, 1404 leap
        {46102, {1405, 1, 1}},    // 21 March 2026
    };
    for (const DateCase& c : cases) {
        EXPECT_EQ(Persian(c.date), c.persian) << "date " << c.date;
        if (c.date == static_cast<int>(c.date)) {
            EXPECT_EQ(PersianToDate(c.persian.year, c.persian.month, c.persian.day), c.date);
        }
    }
}

TEST(PersianDate, MonthsOf1403BeginOnTheirGregorianDays) {
    const Ymd starts[12] = {{2024, 3, 20},  {2024, 4, 20},  {2024, 5, 21}, {2024, 6, 21},
                            {2024, 7, 22},  {2024, 8, 22},  {2024, 9, 22}, {2024, 10, 22},
                            {2024, 11, 21}, {2024, 12, 21}, {2025, 1, 20}, {2025, 2, 19}};
    for (uint16_t month = 1; month <= 12; ++month) {
        const Ymd& g = starts[month - 1];
        EXPECT_EQ(PersianToDate(1403, month, 1), EncodeDate(g.year, g.month, g.day))
            << "month " << month;
    }
}

TEST(PersianDate, LeapYearsFrom1370To1410) {
    const std::set<int> leap = {1370, 1375, 1379, 1383, 1387, 1391, 1395, 1399, 1404, 1408};
    for (uint16_t year = 1370; year <= 1410; ++year)
        EXPECT_EQ(IsLeapPersian(year), leap.count(year) == 1) << year;
}

TEST(PersianDate, GregorianLeapYears) {
    EXPECT_FALSE(IsLeapGregorianYear(1900));
    EXPECT_FALSE(IsLeapGregorianYear(2100));
    EXPECT_FALSE(IsLeapGregorianYear(2023));
    EXPECT_TRUE(IsLeapGregorianYear(2000));
    EXPECT_TRUE(IsLeapGregorianYear(2024));
}

TEST(PersianDate, FixedJulianDays) {
    EXPECT_EQ(PersianToJD(1, 1, 1), 1948320.5L);
    EXPECT_EQ(GregorianOfJD(1948320.5L), (Ymd{622, 3, 22}));
    EXPECT_EQ(PersianToJD(475, 1, 1), 2121445.5L);
    EXPECT_EQ(GregorianOfJD(2121445.5L), (Ymd{1096, 3, 21}));
    EXPECT_EQ(GregorianToJD(1, 1, 1), 1721425.5L);
    EXPECT_EQ(GregorianToJD(1899, 12, 30), 2415018.5L);
    EXPECT_EQ(GregorianToJD(2024, 3, 20), 2460389.5L);
    EXPECT_EQ(PersianToJD(1403, 1, 1), 2460389.5L);
    EXPECT_EQ(GregorianToJD(2000, 2, 29), 2451603.5L);
    // 1900 has no 29 February: the day rolls over into 1 March.
    EXPECT_EQ(GregorianToJD(1900, 2, 29), GregorianToJD(1900, 3, 1));
}

TEST(PersianDate, LastDayOfACycleTakesItsOwnBranch) {
    EXPECT_EQ(PersianToDate(3294, 12, 30), EncodeDate(3916, 3, 20));
    EXPECT_EQ(PersianOfJD(PersianToJD(3294, 12, 30)), (Ymd{3294, 12, 30}));
    EXPECT_EQ(PersianOfJD(PersianToJD(3294, 12, 30) + 1), (Ymd{3295, 1, 1}));
}

TEST(PersianDate, PeriodEndsConvertToJDAndBack) {
    const Ymd days[] = {{2000, 12, 31}, {2004, 12, 31}, {2001, 1, 1},   {2003, 12, 31},
                        {1, 1, 1},      {9999, 12, 31}, {2400, 12, 31}, {2100, 3, 1}};
    for (const Ymd& d : days)
        EXPECT_EQ(GregorianOfJD(GregorianToJD(d.year, d.month, d.day)), d);
}

TEST(PersianDate, OutOfRangeMonthsAndDaysRollOver) {
    struct Case {
        Ymd persian;
        Ymd gregorian;
    };
    const Case cases[] = {
        {{1403, 13, 1}, {2025, 3, 21}},  // after a common year: 2 Farvardin 1404
        {{1404, 13, 1}, {2026, 3, 21}},  // after a leap year: 1 Farvardin 1405
        {{1403, 1, 0}, {2024, 3, 19}},   // day 0: last day of the month before
        {{1403, 0, 1}, {2024, 2, 18}},   // month 0: 31 days before month 1
        {{1403, 12, 30}, {2025, 3, 20}}, // 1 Farvardin 1404
        {{1404, 12, 30}, {2026, 3, 20}},  {{1403, 1, 32}, {2024, 4, 20}}, // 1 Ordibehesht
        {{9378, 10, 12}, {9999, 12, 31}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PersianToDate(c.persian.year, c.persian.month, c.persian.day),
                  EncodeDate(c.gregorian.year, c.gregorian.month, c.gregorian.day))
            << c.persian;
}

TEST(PersianDate, DatesAfter9999FailToEncode) {
    for (const Ymd& d :
         {Ymd{9378, 10, 13}, Ymd{9379, 1, 1}, Ymd{64915, 1, 1}, Ymd{65535, 12, 30}}) {
        SCOPED_TRACE(testing::Message() << d);
        ExpectMessage([&] { PersianToDate(d.year, d.month, d.day); },
                      "Invalid argument to date encode");
    }
}

TEST(PersianDate, GregorianYearsBeyond16BitsKeepTheirLowBits) {
    // 1 Farvardin 65535 falls in Gregorian year 66156, stored as 66156 - 65536.
    const Ymd g = GregorianOfJD(PersianToJD(65535, 1, 1));
    EXPECT_EQ(g.year, 66156 - 65536);
    // The day after 29 Esfand 65535 (a common year) is in Persian year 65536, stored as 0.
    EXPECT_EQ(PersianOfJD(PersianToJD(65535, 12, 29)), (Ymd{65535, 12, 29}));
    EXPECT_EQ(PersianOfJD(PersianToJD(65535, 12, 29) + 1), (Ymd{0, 1, 1}));
}

TEST(PersianDate, WholeNumberJDsNormaliseDifferentlyPerDirection) {
    EXPECT_EQ(GregorianOfJD(2460389.0L), (Ymd{2024, 3, 19}));
    EXPECT_EQ(PersianOfJD(2460389.0L), (Ymd{1403, 1, 1}));
}

TEST(PersianDate, DaysBeforeFarvardin1AreRejected) {
    EXPECT_EQ(PersianOfJD(1948320.5L), (Ymd{1, 1, 1}));
    EXPECT_THROW(PersianOfJD(1948319.5L), std::runtime_error);
    EXPECT_THROW(Persian(EncodeDate(622, 3, 21)), std::runtime_error);
    EXPECT_THROW(DateToPersianStr(EncodeDate(1, 1, 1)), std::runtime_error);
    // Year 0 on the way in is the proleptic year before year 1.
    EXPECT_EQ(PersianToJD(0, 12, 30), PersianToJD(1, 1, 0));
}

TEST(PersianDate, NonFiniteJDsAreRejected) {
    EXPECT_THROW(PersianOfJD(std::numeric_limits<long double>::quiet_NaN()), std::runtime_error);
    EXPECT_THROW(GregorianOfJD(std::numeric_limits<long double>::infinity()), std::runtime_error);
}

// One loop over every supported day: the two directions agree, consecutive
// days follow each other, and the leap rule and the month lengths match the
// length of each year and month.
void CheckEveryDayRoundTrips(CalendarRule rule) {
    const long double first = PersianToJD(1, 1, 1, rule);
    const long double last = PersianToJD(9378, 10, 12, rule);
    ASSERT_EQ(last, GregorianToJD(9999, 12, 31));
    Ymd expected{1, 1, 1};
    long double yearStart = first;
    int failures = 0;
    for (long double jd = first; jd <= last && failures < 10; jd += 1) {
        const Ymd got = PersianOfJD(jd, rule);
        if (got != expected || PersianToJD(got.year, got.month, got.day, rule) != jd) {
            ADD_FAILURE() << "JD " << static_cast<double>(jd) << " gave " << got << ", expected "
                          << expected;
            ++failures;
        }
        const int monthLength = expected.month <= 6 ? 31 : expected.month <= 11 ? 30 : 29;
        const bool leap = IsLeapPersian(expected.year, rule);
        if (expected.day < monthLength || (expected.month == 12 && leap && expected.day == 29)) {
            ++expected.day;
            continue;
        }
        if (DaysInPersianMonth(expected.year, expected.month, rule) != expected.day) {
            ADD_FAILURE() << "month " << expected << " has " << expected.day << " days";
            ++failures;
        }
        if (expected.month < 12) {
            expected = {expected.year, static_cast<uint16_t>(expected.month + 1), 1};
        } else {
            const long double nextStart = jd + 1;
            EXPECT_EQ(nextStart - yearStart, leap ? 366 : 365) << "year " << expected.year;
            EXPECT_EQ(PersianToJD(expected.year + 1, 1, 1, rule), nextStart);
            yearStart = nextStart;
            expected = {static_cast<uint16_t>(expected.year + 1), 1, 1};
        }
    }
    EXPECT_EQ(expected, (Ymd{9378, 10, 13}));
}

TEST(PersianDate, EveryDayRoundTripsAndLeapYearsAgree) {
    CheckEveryDayRoundTrips(CalendarRule::Arithmetic);
}

TEST(PersianDate, EveryDayRoundTripsAndLeapYearsAgreeUnderTheOfficialRule) {
    CheckEveryDayRoundTrips(CalendarRule::Official);
}

} // namespace
