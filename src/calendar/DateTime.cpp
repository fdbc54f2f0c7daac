// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>
#include <stdexcept>

namespace velnora {

namespace {

// Day 0 is 30 December 1899; 1 January of year 1 is 693593 days before it and
// 31 December 9999 is 2958465 days after it (the platform date type's range).
constexpr int64_t FirstDate = -693593;
constexpr int64_t LastDate = 2958465;

// Days in a 400-, 100-, 4- and 1-year period of the proleptic Gregorian calendar.
constexpr int64_t DaysIn400Years = 146097;
constexpr int64_t DaysIn100Years = 36524;
constexpr int64_t DaysIn4Years = 1461;
constexpr int64_t DaysInYear = 365;

bool IsLeap(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int MonthLength(int year, int month) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : lengths[month - 1];
}

// The whole-day part. The platform type carries the time of day as the
// fraction's magnitude, also before day 0 (-1.25 is 29 December 1899, 06:00),
// so the day is the value truncated toward zero.
int64_t DayOf(double date) {
    if (!std::isfinite(date) || std::trunc(date) < FirstDate || std::trunc(date) > LastDate)
        throw std::runtime_error("Invalid argument to date decode");
    return static_cast<int64_t>(std::trunc(date));
}

// The whole periods of `length` days in rest, at most `most` of them, taken
// off rest. A 400-year period holds four 100-year ones and a day, a 4-year
// period four years and a day: that last day belongs to the final (leap)
// period, hence at most 3 of the shorter ones.
constexpr int64_t AnyNumber = std::numeric_limits<int64_t>::max();
int64_t TakePeriods(int64_t& rest, int64_t length, int64_t most) {
    const int64_t periods = std::min(rest / length, most);
    rest -= periods * length;
    return periods;
}

std::function<double()>& TodayReplacement() {
    static std::function<double()> replacement;
    return replacement;
}

} // namespace

void DecodeDate(double date, uint16_t& year, uint16_t& month, uint16_t& day) {
    int64_t rest = DayOf(date) - FirstDate; // days since 1 January 1, from 0
    const int64_t q400 = TakePeriods(rest, DaysIn400Years, AnyNumber);
    const int64_t q100 = TakePeriods(rest, DaysIn100Years, 3);
    const int64_t q4 = TakePeriods(rest, DaysIn4Years, AnyNumber);
    const int64_t q1 = TakePeriods(rest, DaysInYear, 3);
    const int y = static_cast<int>(400 * q400 + 100 * q100 + 4 * q4 + q1 + 1);
    int m = 1;
    while (rest >= MonthLength(y, m)) {
        rest -= MonthLength(y, m);
        ++m;
    }
    year = static_cast<uint16_t>(y);
    month = static_cast<uint16_t>(m);
    day = static_cast<uint16_t>(rest + 1);
}

double EncodeDate(uint16_t year, uint16_t month, uint16_t day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > MonthLength(year, month))
        throw std::runtime_error("Invalid argument to date encode");
    const int64_t before = year - 1;
    int64_t days = 365 * before + before / 4 - before / 100 + before / 400;
    for (int m = 1; m < month; ++m)
        days += MonthLength(year, m);
    days += day - 1;
    return static_cast<double>(days + FirstDate);
}

int DayOfWeek(double date) {
    // Day 0 (30 December 1899) was a Saturday, day 1 a Sunday.
    const int64_t shifted = (DayOf(date) - 1) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

namespace {

// The C library's reentrant local time (no shared static buffer): POSIX names
// it localtime_r, the Microsoft C runtime localtime_s, with the arguments the
// other way round and an error number for a result.
std::tm LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    const bool ok = localtime_s(&local, &when) == 0;
#else
    const bool ok = localtime_r(&when, &local) != nullptr;
#endif
    if (!ok)
        throw std::runtime_error("Cannot read the local time");
    return local;
}

} // namespace

double Today() {
    if (TodayReplacement())
        return TodayReplacement()();
    const std::tm local = LocalTime(std::time(nullptr));
    return EncodeDate(static_cast<uint16_t>(local.tm_year + 1900),
                      static_cast<uint16_t>(local.tm_mon + 1),
                      static_cast<uint16_t>(local.tm_mday));
}

void SetTodayForTesting(std::function<double()> today) {
    TodayReplacement() = std::move(today);
}

}  // namespace velnora
