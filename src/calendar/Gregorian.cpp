// SPDX-License-Identifier: GPL-3.0-or-later

#include "Gregorian.h"

#include "Floored.h"

namespace velnora {

namespace {

// The day before 1 January 1 (JD 1721424.5), and 1 January 1.
constexpr int64_t GregorianEpochEve = 1721424;
constexpr int64_t GregorianEpoch = 1721425;

// Days in a 400-, 100-, 4- and 1-year period.
constexpr int64_t DaysIn400Years = 146097;
constexpr int64_t DaysIn100Years = 36524;
constexpr int64_t DaysIn4Years = 1461;
constexpr int64_t DaysInYear = 365;

} // namespace

bool IsLeapGregorianYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInGregorianMonth(int64_t year, int month) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapGregorianYear(year) ? 29 : lengths[month - 1];
}

int64_t GregorianDayNumber(int64_t year, int64_t month, int64_t day) {
    const int64_t a = month <= 2 ? 0 : (IsLeapGregorianYear(year) ? -1 : -2);
    const int64_t before = year - 1;
    // floor((367m - 362) / 12 + a + d): a and d are whole, so they come out of the floor.
    return GregorianEpochEve + DaysInYear * before + FloorDiv(before, 4) -
           FloorDiv(before, 100) + FloorDiv(before, 400) + FloorDiv(367 * month - 362, 12) + a +
           day;
}

GregorianDate GregorianDateOf(int64_t dayNumber) {
    const int64_t e = dayNumber - GregorianEpoch;
    const int64_t q400 = FloorDiv(e, DaysIn400Years);
    const int64_t r400 = FloorMod(e, DaysIn400Years);
    const int64_t q100 = FloorDiv(r400, DaysIn100Years);
    const int64_t r100 = FloorMod(r400, DaysIn100Years);
    const int64_t q4 = FloorDiv(r100, DaysIn4Years);
    const int64_t r4 = FloorMod(r100, DaysIn4Years);
    const int64_t q1 = FloorDiv(r4, DaysInYear);
    int64_t year = 400 * q400 + 100 * q100 + 4 * q4 + q1;
    // q100 = 4 or q1 = 4: 31 December of a leap year closing a 400- or 4-year
    // period, whose year is already counted in full.
    if (q100 != 4 && q1 != 4)
        ++year;
    const int64_t yearDay = dayNumber - GregorianDayNumber(year, 1, 1);
    const int64_t adjust = dayNumber < GregorianDayNumber(year, 3, 1)
                               ? 0
                               : (IsLeapGregorianYear(year) ? 1 : 2);
    const int64_t month = FloorDiv((yearDay + adjust) * 12 + 373, 367);
    const int64_t day = dayNumber - GregorianDayNumber(year, month, 1) + 1;
    return {year, month, day};
}

}  // namespace velnora
