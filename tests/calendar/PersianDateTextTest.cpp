// SPDX-License-Identifier: GPL-3.0-or-later

#include "../support/ExpectMessage.h"
#include "DateTime.h"
#include "PersianDate.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace velnora;

using namespace PersianDate;

namespace {

// 5 May 2025, Persian 1404/02/16: far from every date the texts below name.
const double FixedToday = 45782;

class PersianDateText : public ::testing::Test {
  protected:
    void SetUp() override {
        SetTodayForTesting([] { return FixedToday; });
    }
    void TearDown() override { SetTodayForTesting({}); }
};

TEST_F(PersianDateText, DatesAreWrittenWithTwoDigitMonthAndDay) {
    const std::pair<double, const char*> cases[] = {
        {45371, "1403/01/01"},   {45371.75, "1403/01/01"},
        {45556, "1403/06/31"},   {45557, "1403/07/01"},
        {36526, "1378/10/11"},   {0, "1278/10/09"},
        {-0.5, "1278/10/09"},    {46101, "1404/12/30"},
        {2958465, "9378/10/12"}, {EncodeDate(622, 3, 22), "1/01/01"},
    };
    for (const auto& [date, text] : cases)
        EXPECT_EQ(DateToPersianStr(date), text) << "date " << date;
}

TEST_F(PersianDateText, TextsReadAsTheirDayOrToday) {
    const double today = FixedToday;
    const std::pair<const char*, double> cases[] = {
        {"1403/01/01", 45371},
        {"1403/1/1", 45371},    // exactly 8 characters
        {"1403/12/30", 45736},  // 1403 is common: 1 Farvardin 1404
        {"1404/12/30", 46101},  // 1404 is leap
        {"1403/13/01", 45737},  // rolls into 1404
        {"1403/01/015", 45371}, // the day is read from its first two characters
        {"1403/01/1x", today},  // the two day characters are no number
        {"99/1/1", today},      // 7 characters
        {"1403-01-01", today},  // no "/"
        {"14030101", today},
        {"/1403/01/01", today}, // the year is empty
        {"1403/01/", today},    // the day is empty
        {"1403//01xx", today},  // the month is empty
        {"", today},
        {"  1403/ 1/ 1", 45371}, // leading spaces in every field
        {"+1403/+1/+1", 45371},
        {"$57B/01/01", 45371}, // hexadecimal 1403
        {"0x57B/01/01", 45371},
        {"1403 /01/01", today}, // trailing space in the year
        {"1403/01/01 extra text", 45371},
        {"1403/01/-1", 45371 + 65534}, // day -1 keeps its low 16 bits: day 65535
        {"66939/01/01", 45371},        // 66939 keeps its low 16 bits: 1403
    };
    for (const auto& [text, date] : cases)
        EXPECT_EQ(PersianStrToDate(text), date) << '"' << text << '"';
}

TEST_F(PersianDateText, OnlyTheEncodingFailureReachesTheCaller) {
    ExpectMessage([] { PersianStrToDate("9378/10/13"); }, "Invalid argument to date encode");
    // A negative year keeps its low 16 bits, 65535: far beyond 31 December 9999.
    EXPECT_THROW(PersianStrToDate("-1/01/01xx"), std::runtime_error);
}

TEST_F(PersianDateText, WrittenTextsReadBackFromYear10On) {
    // All 3.4 million days would be slow under the sanitizer; a stride of 97
    // days (prime, so no multiple of the week) meets every weekday, month and
    // day of the month many times over.
    const double year10 = PersianToDate(10, 1, 1);
    for (double date = year10; date <= 2958465; date += 97)
        ASSERT_EQ(PersianStrToDate(DateToPersianStr(date)), date) << DateToPersianStr(date);
    for (double date : {year10, year10 + 1, 2958464.0, 2958465.0, 45371.0, 46101.0})
        EXPECT_EQ(PersianStrToDate(DateToPersianStr(date)), date);
    // Years 1 to 9 write only 7 characters, which read as today.
    EXPECT_EQ(DateToPersianStr(year10 - 1), "9/12/29");
    EXPECT_EQ(PersianStrToDate(DateToPersianStr(year10 - 1)), FixedToday);
}

} // namespace
