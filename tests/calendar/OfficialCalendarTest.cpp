// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTime.h"
#include "OfficialLeapYears.h"
#include "PersianDate.h"

#include <gtest/gtest.h>
// ICU is not part of the Windows build.
#if __has_include(<unicode/calendar.h>)
#define VELNORA_WITH_ICU
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#endif

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

using namespace velnora;

using namespace PersianDate;

namespace {

constexpr CalendarRule Official = CalendarRule::Official;
constexpr CalendarRule Arithmetic = CalendarRule::Arithmetic;

double Date(int year, int month, int day) {
    return EncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                      static_cast<uint16_t>(day));
}

struct EphemerisNowruz {
    double date;
    bool near; // the equinox within an hour of noon at Tehran
};

// tests/data/official-nowruz.tsv: 1 Farvardin of the years -61 to 3177 from the
// March equinox of an ephemeris (PyEphem, made by scripts/make-official-nowruz).
std::map<int, EphemerisNowruz> ReadEphemerisTable() {
    std::ifstream in(VELNORA_TEST_DATA "/official-nowruz.tsv");
    std::map<int, EphemerisNowruz> table;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int year, minutes;
        std::string gregorian, note;
        fields >> year >> gregorian >> minutes >> note;
        table[year] = {Date(std::stoi(gregorian.substr(0, 4)), std::stoi(gregorian.substr(5, 2)),
                            std::stoi(gregorian.substr(8, 2))),
                       note == "near"};
    }
    return table;
}

TEST(OfficialCalendar, FirstOfFarvardin1200To1500IsTheEphemerisDay) {
    const std::map<int, EphemerisNowruz> table = ReadEphemerisTable();
    for (int year = 1200; year <= 1500; ++year) {
        ASSERT_EQ(table.count(year), 1u) << year;
        EXPECT_EQ(PersianToDate(static_cast<uint16_t>(year), 1, 1, Official), table.at(year).date)
            << "1 Farvardin " << year;
    }
}

#ifdef VELNORA_WITH_ICU
// ICU's Persian calendar (a 33-year arithmetic cycle) agrees with the
// ephemeris over these years, so it is a second, independent reference here.
TEST(OfficialCalendar, FirstOfFarvardin1200To1500IsICUsDay) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> persian(icu::Calendar::createInstance(
        icu::TimeZone::getGMT()->clone(), icu::Locale("fa_IR@calendar=persian"), status));
    const std::unique_ptr<icu::Calendar> gregorian(icu::Calendar::createInstance(
        icu::TimeZone::getGMT()->clone(), icu::Locale("en@calendar=gregorian"), status));
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    for (int year = 1200; year <= 1500; ++year) {
        persian->clear();
        persian->set(year, UCAL_JANUARY, 1); // the first month, Farvardin
        gregorian->setTime(persian->getTime(status), status);
        const double icuDay =
            Date(gregorian->get(UCAL_YEAR, status), gregorian->get(UCAL_MONTH, status) + 1,
                 gregorian->get(UCAL_DATE, status));
        ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
        EXPECT_EQ(PersianToDate(static_cast<uint16_t>(year), 1, 1, Official), icuDay)
            << "1 Farvardin " << year;
    }
}
#endif

// Over the rest of Borkowski's years the rule may miss a year whose equinox
// comes within minutes of noon (his and the ephemeris's Delta T differ there),
// never another.
TEST(OfficialCalendar, FirstOfFarvardinIsTheEphemerisDayWhereTheEquinoxIsClearOfNoon) {
    const std::map<int, EphemerisNowruz> table = ReadEphemerisTable();
    ASSERT_EQ(table.size(), static_cast<size_t>(LastOfficialYear - FirstOfficialYear + 1));
    int nearMisses = 0;
    for (int year = 1; year <= LastOfficialYear; ++year) {
        const EphemerisNowruz& expected = table.at(year);
        const double got = PersianToDate(static_cast<uint16_t>(year), 1, 1, Official);
        if (expected.near)
            nearMisses += got != expected.date;
        else
            EXPECT_EQ(got, expected.date) << "1 Farvardin " << year;
    }
    // 24 of the 268 years near noon, all within 26 minutes of it.
    EXPECT_EQ(nearMisses, 24);
}

TEST(OfficialCalendar, LeapYearsAroundToday) {
    const std::set<int> official = {1370, 1375, 1379, 1383, 1387, 1391, 1395, 1399, 1403, 1408};
    for (uint16_t year = 1370; year <= 1410; ++year)
        EXPECT_EQ(IsLeapPersian(year, Official), official.count(year) == 1) << year;
}

// Where the two rules part, one places a leap year a year earlier than the
// other, and every day of the year between is one day apart: the years users
// of arithmetic calendars find one day off (1210, 1243, 1404, 1437, 1470).
TEST(OfficialCalendar, TheRulesDisagreeOnlyInSwappedLeapYears) {
    struct Swap {
        int officialLeap, arithmeticLeap, yearOneDayOff;
        int arithmeticNowruz[3]; // Gregorian 1 Farvardin of yearOneDayOff, arithmetic rule
        int officialNowruz[3];
    };
    const Swap swaps[] = {
        {1210, 1209, 1210, {1831, 3, 22}, {1831, 3, 21}},
        {1243, 1242, 1243, {1864, 3, 21}, {1864, 3, 20}},
        {1403, 1404, 1404, {2025, 3, 20}, {2025, 3, 21}},
        {1436, 1437, 1437, {2058, 3, 20}, {2058, 3, 21}},
        {1469, 1470, 1470, {2091, 3, 20}, {2091, 3, 21}},
    };
    for (const Swap& s : swaps) {
        SCOPED_TRACE(s.yearOneDayOff);
        const auto year = static_cast<uint16_t>(s.yearOneDayOff);
        EXPECT_TRUE(IsLeapPersian(static_cast<uint16_t>(s.officialLeap), Official));
        EXPECT_FALSE(IsLeapPersian(static_cast<uint16_t>(s.officialLeap), Arithmetic));
        EXPECT_TRUE(IsLeapPersian(static_cast<uint16_t>(s.arithmeticLeap), Arithmetic));
        EXPECT_FALSE(IsLeapPersian(static_cast<uint16_t>(s.arithmeticLeap), Official));
        const int* a = s.arithmeticNowruz;
        const int* o = s.officialNowruz;
        EXPECT_EQ(PersianToDate(year, 1, 1, Arithmetic), Date(a[0], a[1], a[2]));
        EXPECT_EQ(PersianToDate(year, 1, 1, Official), Date(o[0], o[1], o[2]));
        // The year before and the year after begin on the same day under both.
        for (const int other : {std::min(s.officialLeap, s.arithmeticLeap), year + 1})
            EXPECT_EQ(PersianToDate(static_cast<uint16_t>(other), 1, 1, Arithmetic),
                      PersianToDate(static_cast<uint16_t>(other), 1, 1, Official))
                << other;
    }
}

// Every year of 1100 to 1600 in which the two rules' leap years differ: the
// pairs above and the swaps of the 12th and 16th centuries.
TEST(OfficialCalendar, LeapYearsDifferIn1100To1600Exactly) {
    const std::vector<int> expected = {1110, 1111, 1114, 1115, 1143, 1144, 1209, 1210, 1242, 1243,
                                       1403, 1404, 1436, 1437, 1469, 1470, 1502, 1503, 1531, 1532,
                                       1535, 1536, 1564, 1565, 1568, 1569, 1597, 1598};
    std::vector<int> differing;
    for (uint16_t year = 1100; year <= 1600; ++year)
        if (IsLeapPersian(year, Official) != IsLeapPersian(year, Arithmetic))
            differing.push_back(year);
    EXPECT_EQ(differing, expected);
}

// Over the whole range the rules' years begin at most a day apart, meet again
// after every swap, and from 3178 on (past Borkowski's years) the arithmetic
// rule holds alone.
TEST(OfficialCalendar, TheRulesStayWithinADayAndAgreeAfterBorkowskisYears) {
    int earlier = 0, later = 0;
    for (int year = 1; year <= 9378; ++year) {
        const auto y = static_cast<uint16_t>(year);
        const long double apart = PersianToJD(y, 1, 1, Official) - PersianToJD(y, 1, 1);
        ASSERT_LE(apart, 1) << year;
        ASSERT_GE(apart, -1) << year;
        earlier += apart < 0;
        later += apart > 0;
        if (year > LastOfficialYear) {
            ASSERT_EQ(apart, 0) << year;
            ASSERT_EQ(IsLeapPersian(y, Official), IsLeapPersian(y, Arithmetic)) << year;
        }
    }
    EXPECT_EQ(earlier, 118);
    EXPECT_EQ(later, 332);
    EXPECT_EQ(PersianToJD(1, 1, 1, Official), 1948320.5L); // 22 March 622 under both
}

TEST(OfficialCalendar, EsfandOf1403EndsOnThe30th) {
    EXPECT_EQ(PersianToDate(1403, 12, 30, Official), Date(2025, 3, 20));
    EXPECT_EQ(PersianToDate(1404, 1, 1, Official), Date(2025, 3, 21));
    EXPECT_EQ(PersianToDate(1404, 12, 29, Official), Date(2026, 3, 20));
    EXPECT_EQ(DateToPersianStr(Date(2025, 3, 20), Official), "1403/12/30");
    EXPECT_EQ(DateToPersianStr(Date(2025, 3, 20), Arithmetic), "1404/01/01");
    EXPECT_EQ(DateToPersianStr(Date(2026, 3, 20), Official), "1404/12/29");
    // Month 13 rolls over the same way: day 367 of a leap year is 1 Farvardin.
    EXPECT_EQ(PersianToDate(1403, 13, 1, Official), Date(2025, 3, 21));
}

TEST(OfficialCalendar, DaysBeforeFarvardin1AreRejected) {
    uint16_t y, m, d;
    EXPECT_THROW(JDToPersian(1948319.5L, y, m, d, Official), std::runtime_error);
    JDToPersian(1948320.5L, y, m, d, Official);
    EXPECT_EQ(y * 10000 + m * 100 + d, 10101);
}

TEST(OfficialCalendar, RuleNames) {
    EXPECT_EQ(CalendarRuleNamed("arithmetic"), Arithmetic);
    EXPECT_EQ(CalendarRuleNamed("Official"), Official);
    EXPECT_EQ(CalendarRuleNamed("ARITHMETIC"), Arithmetic);
    for (const char* other : {"", "official ", "astronomical"})
        EXPECT_EQ(CalendarRuleNamed(other), std::nullopt) << other;
    EXPECT_STREQ(CalendarRuleName(Official), "official");
    EXPECT_STREQ(CalendarRuleName(Arithmetic), "arithmetic");
}

} // namespace
