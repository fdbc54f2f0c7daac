// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTime.h"

#include "Gregorian.h"

#include <cmath>
#include <ctime>
#include <stdexcept>

namespace velnora {

namespace {

// Day 0 is 30 December 1899; 1 January of year 1 is 693593 days before it and
// 31 December 9999 is 2958465 days after it (the platform date type's range).
constexpr int64_t FirstDate = -693593;
constexpr int64_t LastDate = 2958465;

// Day 0 as a Gregorian day number (JD 2415018.5).
constexpr int64_t DayZero = 2415018;

// The whole-day part. The platform type carries the time of day as the
// fraction's magnitude, also before day 0 (-1.25 is 29 December 1899, 06:00),
// so the day is the value truncated toward zero.
int64_t DayOf(double date) {
    if (!std::isfinite(date) || std::trunc(date) < FirstDate || std::trunc(date) > LastDate)
        throw std::runtime_error("Invalid argument to date decode");
    return static_cast<int64_t>(std::trunc(date));
}

std::function<double()>& TodayReplacement() {
    static std::function<double()> replacement;
    return replacement;
}

} // namespace

void DecodeDate(double date, uint16_t& year, uint16_t& month, uint16_t& day) {
    const GregorianDate gregorian = GregorianDateOf(DayOf(date) + DayZero);
    year = static_cast<uint16_t>(gregorian.year);
    month = static_cast<uint16_t>(gregorian.month);
    day = static_cast<uint16_t>(gregorian.day);
}

double EncodeDate(uint16_t year, uint16_t month, uint16_t day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInGregorianMonth(year, month))
        throw std::runtime_error("Invalid argument to date encode");
    return static_cast<double>(GregorianDayNumber(year, month, day) - DayZero);
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
