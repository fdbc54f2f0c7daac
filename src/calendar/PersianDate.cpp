// SPDX-License-Identifier: GPL-3.0-or-later

#include "PersianDate.h"

#include "DateTime.h"
#include "Floored.h"
#include "Gregorian.h"
#include "OfficialLeapYears.h"
#include "WholeNumber.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace velnora {

namespace PersianDate {

namespace {

// A Julian Day that starts a day is k + 0.5 for a whole k. The formulas below
// work on k alone, in 64-bit integers, so no result depends on floating-point
// rounding; the half is added back only at the interface.
struct Ymd {
    int64_t year;
    int64_t month;
    int64_t day;
};

// 2820 Persian years hold 1029983 days (2820 x 365 + 683 leap days); the cycle
// arithmetic counts years from 474, the first year of a cycle.
constexpr int64_t CycleYears = 2820;
constexpr int64_t CycleDays = 1029983;
constexpr int64_t CycleBase = 474;
// k of the day before 1 Farvardin 1 (JD 1948319.5) and of 1 Farvardin 475
// (JD 2121445.5, the start of the first full cycle after the epoch).
constexpr int64_t PersianEpochEve = 1948319;
constexpr int64_t Farvardin475 = 2121445;
// A JD this far from the epochs is no date of any calendar; the bound keeps the
// 64-bit sums far from overflow.
constexpr long double JDLimit = 1e15L;

// The leap years of the cycle before year `y`, counted from year 474: the
// leap years are those where this count steps up (683 in 2820 years).
int64_t CycleLeapYearsBefore(int64_t y) {
    return FloorDiv(682 * y - 110, 2816);
}

// Year y of the cycle, counted from 474, as the cycle's years 474 .. 3293.
int64_t CycleYear(int64_t y) {
    return CycleBase + FloorMod(y - CycleBase, CycleYears);
}

bool LeapPersian(int64_t y) {
    const int64_t c = CycleYear(y);
    return CycleLeapYearsBefore(c + 1) != CycleLeapYearsBefore(c);
}

// Months 1 to 6 have 31 days, 7 to 11 have 30; a month outside 1..12 rolls over.
int64_t DaysBeforeMonth(int64_t m) {
    return m <= 7 ? 31 * (m - 1) : 30 * (m - 1) + 6;
}

int64_t PersianDay(int64_t y, int64_t m, int64_t d) {
    const int64_t c = CycleYear(y);
    return d + DaysBeforeMonth(m) + CycleLeapYearsBefore(c) + 365 * (c - 1) +
           CycleDays * FloorDiv(y - CycleBase, CycleYears) + PersianEpochEve;
}

// The month and day of day k in the year that begins on day `nowruz`.
Ymd InYear(int64_t year, int64_t nowruz, int64_t k) {
    const int64_t yday = k - nowruz + 1;
    const int64_t month = yday <= 186 ? CeilDiv(yday, 31) : CeilDiv(yday - 6, 30);
    return {year, month, yday - DaysBeforeMonth(month)};
}

Ymd PersianFromDay(int64_t k) {
    // The mean year of the cycle gives the year or a neighbour; the year
    // starts settle it.
    int64_t year = CycleBase + FloorDiv((k - Farvardin475) * CycleYears, CycleDays);
    while (PersianDay(year, 1, 1) > k)
        --year;
    while (PersianDay(year + 1, 1, 1) <= k)
        ++year;
    return InYear(year, PersianDay(year, 1, 1), k);
}

// Both rules begin 1403 on 20 March 2024 (JD 2460389.5): the equinox came at
// 03:06 UTC, 06:36 at Tehran, before noon. The official years are counted from
// there on.
constexpr int64_t AnchorYear = 1403;
constexpr int64_t AnchorNowruz = 2460389;

// k of 1 Farvardin of `year` under the official rule. Outside Borkowski's years
// the arithmetic rule's years follow on from his first or last year.
int64_t OfficialNowruz(int64_t year) {
    const int64_t edge = std::clamp(year, FirstOfficialYear, LastOfficialYear + 1);
    const int64_t edgeNowruz = AnchorNowruz + 365 * (edge - AnchorYear) +
                               OfficialLeapYearsBefore(edge) - OfficialLeapYearsBefore(AnchorYear);
    return edgeNowruz + PersianDay(year, 1, 1) - PersianDay(edge, 1, 1);
}

int64_t Nowruz(int64_t year, CalendarRule rule) {
    return rule == CalendarRule::Official ? OfficialNowruz(year) : PersianDay(year, 1, 1);
}

int64_t PersianDay(int64_t y, int64_t m, int64_t d, CalendarRule rule) {
    if (rule == CalendarRule::Arithmetic)
        return PersianDay(y, m, d);
    return OfficialNowruz(y) + DaysBeforeMonth(m) + d - 1;
}

Ymd PersianFromDay(int64_t k, CalendarRule rule) {
    if (rule == CalendarRule::Arithmetic)
        return PersianFromDay(k);
    // The two rules' years begin at most a few days apart, so the arithmetic
    // year is the official one or its neighbour.
    int64_t year = PersianFromDay(k).year;
    while (OfficialNowruz(year) > k)
        --year;
    while (OfficialNowruz(year + 1) <= k)
        ++year;
    return InYear(year, OfficialNowruz(year), k);
}

int64_t WholeDay(long double value) {
    if (!std::isfinite(value) || std::fabs(value) > JDLimit)
        throw std::runtime_error("Julian Day out of range");
    return static_cast<int64_t>(std::floor(value));
}

// A stored year, month or day keeps the low 16 bits of the computed value.
void Store(const Ymd& date, uint16_t& year, uint16_t& month, uint16_t& day) {
    year = static_cast<uint16_t>(date.year);
    month = static_cast<uint16_t>(date.month);
    day = static_cast<uint16_t>(date.day);
}

} // namespace

const char* CalendarRuleName(CalendarRule rule) {
    return rule == CalendarRule::Official ? "official" : "arithmetic";
}

std::optional<CalendarRule> CalendarRuleNamed(const std::string& name) {
    // In any case: "Official" in a settings file or on a command line means what
    // "official" does, rather than silently the default.
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (lower == "arithmetic")
        return CalendarRule::Arithmetic;
    if (lower == "official")
        return CalendarRule::Official;
    return std::nullopt;
}

bool IsLeapPersian(uint16_t year, CalendarRule rule) {
    if (rule == CalendarRule::Official && year <= LastOfficialYear)
        return IsOfficialLeapYear(year);
    return LeapPersian(year);
}

int DaysInPersianMonth(uint16_t year, uint16_t month, CalendarRule rule) {
    // Past month 12 DaysBeforeMonth rolls over into the next year.
    if (month < 1 || month > 12)
        throw std::out_of_range("Month " + std::to_string(month) + " is not 1 to 12");
    const int days = static_cast<int>(DaysBeforeMonth(month + 1) - DaysBeforeMonth(month));
    // DaysBeforeMonth(13) counts a common year's month 12 as 30 days.
    return month == 12 && !IsLeapPersian(year, rule) ? days - 1 : days;
}

long double GregorianToJD(uint16_t year, uint16_t month, uint16_t day) {
    return static_cast<long double>(GregorianDayNumber(year, month, day)) + 0.5L;
}

void JDToGregorian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day) {
    const GregorianDate date = GregorianDateOf(WholeDay(jd - 0.5L));
    Store({date.year, date.month, date.day}, year, month, day);
}

long double PersianToJD(uint16_t year, uint16_t month, uint16_t day, CalendarRule rule) {
    return static_cast<long double>(PersianDay(year, month, day, rule)) + 0.5L;
}

void JDToPersian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day,
                 CalendarRule rule) {
    const int64_t k = WholeDay(jd);
    if (k < Nowruz(1, rule))
        throw std::runtime_error("Date before 1 Farvardin 1");
    Store(PersianFromDay(k, rule), year, month, day);
}

void DateToPersian(double date, uint16_t& year, uint16_t& month, uint16_t& day, CalendarRule rule) {
    uint16_t gy, gm, gd;
    DecodeDate(date, gy, gm, gd);
    JDToPersian(GregorianToJD(gy, gm, gd), year, month, day, rule);
}

double PersianToDate(uint16_t year, uint16_t month, uint16_t day, CalendarRule rule) {
    // The Gregorian year is checked before it is cut to 16 bits: from Persian
    // year 64915 on it would wrap into the years 1 to 9999 and give a wrong day.
    const GregorianDate g = GregorianDateOf(PersianDay(year, month, day, rule));
    if (g.year < 1 || g.year > 9999)
        throw std::runtime_error("Invalid argument to date encode");
    return EncodeDate(static_cast<uint16_t>(g.year), static_cast<uint16_t>(g.month),
                      static_cast<uint16_t>(g.day));
}

std::string DateToPersianStr(double date, CalendarRule rule) {
    uint16_t year, month, day;
    DateToPersian(date, year, month, day, rule);
    // A month or day below 10 gets a leading "0"; the year never does.
    const auto twoDigits = [](uint16_t value) {
        std::string text(value < 10 ? 1 : 0, '0');
        return text += std::to_string(value);
    };
    return std::to_string(year) + "/" + twoDigits(month) + "/" + twoDigits(day);
}

namespace {

// The fields of year/month/day text, or nothing when one does not read as a
// whole number. Each field keeps the low 16 bits of its value, unchecked.
std::optional<Ymd> ReadPersianText(const std::string& text) {
    // The characters before the first "/" (all of them when there is none)
    // and at most 10 of those after it.
    const auto split = [](const std::string& s, std::string& before, std::string& after) {
        const size_t slash = s.find('/');
        before = slash == std::string::npos ? std::string() : s.substr(0, slash);
        after = slash == std::string::npos ? std::string() : s.substr(slash + 1, 10);
    };
    std::string yearText, rest, monthText, dayRest;
    split(text, yearText, rest);
    const std::optional<int32_t> year = TryStrToInt(yearText);
    if (!year)
        return std::nullopt;
    split(rest, monthText, dayRest);
    const std::optional<int32_t> month = TryStrToInt(monthText);
    if (!month)
        return std::nullopt;
    // The day is read from its first two characters; what follows is ignored.
    const std::optional<int32_t> day = TryStrToInt(dayRest.substr(0, 2));
    if (!day)
        return std::nullopt;
    return Ymd{static_cast<uint16_t>(*year), static_cast<uint16_t>(*month),
               static_cast<uint16_t>(*day)};
}

} // namespace

double PersianStrToDate(const std::string& text) {
    std::optional<Ymd> date;
    // Texts under 8 characters (1403/1/1 is the shortest full date) mean today.
    if (text.size() >= 8)
        date = ReadPersianText(text);
    if (!date) {
        uint16_t year, month, day;
        DateToPersian(Today(), year, month, day);
        date = Ymd{year, month, day};
    }
    return PersianToDate(static_cast<uint16_t>(date->year), static_cast<uint16_t>(date->month),
                         static_cast<uint16_t>(date->day));
}

} // namespace PersianDate

}  // namespace velnora
