// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateFormat.h"

#include "DateTime.h"

#include <gtest/gtest.h>

using namespace velnora;

namespace {

using PersianDate::CalendarRule;

// One day in both calendars, every field. The Persian dates are those jdate
// gives for these days, the names in today's spelling (Persian yeh and keheh,
// a zero-width non-joiner in the compound weekdays); the Gregorian fields are
// what GNU date prints for the same days in an English locale.
struct Day {
    uint16_t year, month, day; // Gregorian
    const char* persian;       // "%Y|%m|%d|%e|%B|%b|%A|%a|%j|%F"
    const char* gregorian;
};

const Day Days[] = {
    {2024, 3, 20, "1403|01|01| 1|فروردین|فروردین|چهارشنبه|چ|001|1403-01-01",
     "2024|03|20|20|March|Mar|Wednesday|Wed|080|2024-03-20"},
    {2024, 3, 19, "1402|12|29|29|اسفند|اسفند|سه\u200cشنبه|س|365|1402-12-29",
     "2024|03|19|19|March|Mar|Tuesday|Tue|079|2024-03-19"},
    {2024, 9, 21, "1403|06|31|31|شهریور|شهریور|شنبه|ش|186|1403-06-31",
     "2024|09|21|21|September|Sep|Saturday|Sat|265|2024-09-21"},
    {2024, 9, 22, "1403|07|01| 1|مهر|مهر|یکشنبه|ی|187|1403-07-01",
     "2024|09|22|22|September|Sep|Sunday|Sun|266|2024-09-22"},
    {2026, 3, 20, "1404|12|30|30|اسفند|اسفند|جمعه|ج|366|1404-12-30",
     "2026|03|20|20|March|Mar|Friday|Fri|079|2026-03-20"},
    {2025, 1, 2, "1403|10|13|13|دی|دی|پنج\u200cشنبه|پ|289|1403-10-13",
     "2025|01|02| 2|January|Jan|Thursday|Thu|002|2025-01-02"},
    {2024, 5, 6, "1403|02|17|17|اردیبهشت|اردیبهشت|دوشنبه|د|048|1403-02-17",
     "2024|05|06| 6|May|May|Monday|Mon|127|2024-05-06"},
    {622, 3, 22, "1|01|01| 1|فروردین|فروردین|جمعه|ج|001|1-01-01",
     "0622|03|22|22|March|Mar|Friday|Fri|081|0622-03-22"},
};

TEST(FormatDate, EveryFieldInBothCalendars) {
    const std::string format = "%Y|%m|%d|%e|%B|%b|%A|%a|%j|%F";
    for (const Day& day : Days) {
        const double date = EncodeDate(day.year, day.month, day.day);
        EXPECT_EQ(FormatDate(date, format, CalendarKind::Persian), day.persian) << day.persian;
        EXPECT_EQ(FormatDate(date, format, CalendarKind::Gregorian), day.gregorian)
            << day.gregorian;
    }
}

TEST(FormatDate, TextAroundTheFieldsAndUnknownFields) {
    const double date = EncodeDate(2024, 3, 20);
    const std::pair<const char*, const char*> cases[] = {
        {"%A %d %B %Y", "چهارشنبه 01 فروردین 1403"},
        {"100%% %Q%", "100% %Q%"}, // unknown fields and a lone "%" stay as they are
        {"", ""},
        {"Y/m/d", "Y/m/d"},
    };
    for (const auto& [format, text] : cases)
        EXPECT_EQ(FormatDate(date, format, CalendarKind::Persian), text) << format;
}

TEST(FormatDate, PersianDigitsInTheFieldsOnly) {
    const double date = EncodeDate(2024, 3, 20);
    EXPECT_EQ(FormatDate(date, "%Y/%m/%d 2", CalendarKind::Persian, CalendarRule::Arithmetic, true),
              "۱۴۰۳/۰۱/۰۱ 2");
    EXPECT_EQ(FormatDate(date, "%F %e %j", CalendarKind::Gregorian, CalendarRule::Arithmetic, true),
              "۲۰۲۴-۰۳-۲۰ ۲۰ ۰۸۰");
    EXPECT_EQ(WithPersianDigits("a0123456789b"), "a۰۱۲۳۴۵۶۷۸۹b");
}

// 20 March 2025 is 30 Esfand 1403 under the official rule, the 366th day of
// its leap year; 1 Farvardin 1404 under the arithmetic one.
TEST(FormatDate, TheRuleChoosesThePersianDay) {
    const double date = EncodeDate(2025, 3, 20);
    EXPECT_EQ(FormatDate(date, "%F %j", CalendarKind::Persian, CalendarRule::Official),
              "1403-12-30 366");
    EXPECT_EQ(FormatDate(date, "%F %j", CalendarKind::Persian), "1404-01-01 001");
}

TEST(FormatDate, DayTextsForMessages) {
    EXPECT_EQ(PersianDayText(9378, 10, 12), "12 Dey 9378");
    EXPECT_EQ(GregorianDayText(622, 3, 22), "22 March 622");
}

} // namespace
