// SPDX-License-Identifier: GPL-3.0-or-later

#include "LunarCalendar.h"

#include "Floored.h"
#include "Gregorian.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace velnora {

namespace LunarCalendar {

namespace {

struct MonthStart {
    int hijriYear, hijriMonth;
    uint16_t year, month, day; // Gregorian
};

// The first day of each lunar month in Iran's official calendar, Rajab 1442
// (February 2021) to Safar 1448 (July 2026), so that the solar years 1400 to
// 1405 have their lunar holidays as Iran keeps them.
//
// Worked back from the lunar holidays of Iran's official calendar (the
// calendar the Calendar Center of the University of Tehran's Institute of
// Geophysics publishes for each solar year, the holidays approved by the
// Council for Public Culture), corrected where the moon was announced a day
// later than printed (IRNA, 11 Ordibehesht 1401: Shawwal 1443 not sighted,
// 12 Ordibehesht 1401 was 30 Ramadan; Dhu al-Hijja 1442, Eid al-Adha on
// 30 Tir 1400 as iranpress.com reported it, where diruz.it printed 29 Tir).
// The lists used, one for each solar year:
// - 1400: the Italian-Iranian association Diruz, "feste Iran 2021" (diruz.it);
// - 1401: asemooni.com, "official holidays" of 1401 (after the Calendar Center);
// - 1402: shomanews.com, the holidays of 1402 from the published day calendar;
// - 1403: calendar.nagsh.ir, "official holidays of 1403 approved by the
//   Council for Public Culture";
// - 1404: gardshgar.com, "official holidays of 1404", and eghtesadonline.com,
//   "the calendar of Dey 1404";
// - 1405: ilna.ir, "how many official holidays has 1405" (30 October 2025),
//   from the calendar the Council for Public Culture published.
// A month without a holiday (Rabi al-Thani, Jumada al-Awwal, Dhu al-Qa'da)
// is fixed only by its neighbours: where they leave 59 days for two months,
// the first has 30 here, so its own start can be a day off.
// The table ends with Safar 1448, the month after the last one the 1405
// calendar's sources fix (Muharram 1448: Tasua on 3 Tir 1405).
constexpr MonthStart IranianMonthStarts[] = {
    {1442, 7, 2021, 2, 13},  {1442, 8, 2021, 3, 15},  {1442, 9, 2021, 4, 14},
    {1442, 10, 2021, 5, 13}, {1442, 11, 2021, 6, 12}, {1442, 12, 2021, 7, 12},
    {1443, 1, 2021, 8, 10},  {1443, 2, 2021, 9, 8},   {1443, 3, 2021, 10, 8},
    {1443, 4, 2021, 11, 7},  {1443, 5, 2021, 12, 6},  {1443, 6, 2022, 1, 5},
    {1443, 7, 2022, 2, 3},   {1443, 8, 2022, 3, 4},   {1443, 9, 2022, 4, 3},
    {1443, 10, 2022, 5, 3},  {1443, 11, 2022, 6, 1},  {1443, 12, 2022, 7, 1},
    {1444, 1, 2022, 7, 30},  {1444, 2, 2022, 8, 29},  {1444, 3, 2022, 9, 28},
    {1444, 4, 2022, 10, 27}, {1444, 5, 2022, 11, 26}, {1444, 6, 2022, 12, 25},
    {1444, 7, 2023, 1, 23},  {1444, 8, 2023, 2, 21},  {1444, 9, 2023, 3, 23},
    {1444, 10, 2023, 4, 22}, {1444, 11, 2023, 5, 21}, {1444, 12, 2023, 6, 20},
    {1445, 1, 2023, 7, 19},  {1445, 2, 2023, 8, 18},  {1445, 3, 2023, 9, 17},
    {1445, 4, 2023, 10, 16}, {1445, 5, 2023, 11, 15}, {1445, 6, 2023, 12, 15},
    {1445, 7, 2024, 1, 13},  {1445, 8, 2024, 2, 11},  {1445, 9, 2024, 3, 12},
    {1445, 10, 2024, 4, 10}, {1445, 11, 2024, 5, 10}, {1445, 12, 2024, 6, 8},
    {1446, 1, 2024, 7, 7},   {1446, 2, 2024, 8, 6},   {1446, 3, 2024, 9, 5},
    {1446, 4, 2024, 10, 4},  {1446, 5, 2024, 11, 3},  {1446, 6, 2024, 12, 3},
    {1446, 7, 2025, 1, 2},   {1446, 8, 2025, 1, 31},  {1446, 9, 2025, 3, 2},
    {1446, 10, 2025, 3, 31}, {1446, 11, 2025, 4, 29}, {1446, 12, 2025, 5, 28},
    {1447, 1, 2025, 6, 27},  {1447, 2, 2025, 7, 26},  {1447, 3, 2025, 8, 25},
    {1447, 4, 2025, 9, 23},  {1447, 5, 2025, 10, 23}, {1447, 6, 2025, 11, 22},
    {1447, 7, 2025, 12, 22}, {1447, 8, 2026, 1, 20},  {1447, 9, 2026, 2, 19},
    {1447, 10, 2026, 3, 21}, {1447, 11, 2026, 4, 19}, {1447, 12, 2026, 5, 18},
    {1448, 1, 2026, 6, 16},  {1448, 2, 2026, 7, 16},
};

constexpr int64_t CivilEpoch = FirstHijriDay;

int64_t DayOf(const MonthStart& start) {
    return GregorianDayNumber(start.year, start.month, start.day);
}

// The arithmetic calendar moved by `shift` days: its months begin `shift`
// days later.
HijriDate Shifted(int64_t day, int64_t shift) {
    return ArithmeticHijri(day - shift);
}

} // namespace

int64_t ArithmeticHijriDay(int year, int month, int day) {
    // Months alternate 30 and 29 days, so month m starts ceil(29.5 (m - 1))
    // days into the year; a year has 354 days and (3 + 11 y) / 30 counts the
    // leap days before year y.
    return day + (59 * (month - 1) + 1) / 2 + 354 * int64_t{year - 1} +
           FloorDiv(3 + 11 * int64_t{year}, 30) + CivilEpoch - 1;
}

HijriDate ArithmeticHijri(int64_t day) {
    if (day < CivilEpoch)
        throw std::out_of_range("Day before 1 Muharram 1");
    // 10631 days make 30 years; the estimate is then set right by the year starts.
    int year = static_cast<int>(FloorDiv(30 * (day - CivilEpoch) + 10646, 10631));
    while (day < ArithmeticHijriDay(year, 1, 1))
        --year;
    while (day >= ArithmeticHijriDay(year + 1, 1, 1))
        ++year;
    int month = 12;
    while (day < ArithmeticHijriDay(year, month, 1))
        --month;
    return {year, month, static_cast<int>(day - ArithmeticHijriDay(year, month, 1)) + 1};
}

int64_t FirstTabledDay() {
    return DayOf(IranianMonthStarts[0]);
}

int64_t LastTabledDay() {
    // The last entry closes the one before it; the arithmetic calendar
    // closes the last entry's month.
    return DayOf(*std::prev(std::end(IranianMonthStarts))) - 1;
}

HijriDate IranianHijri(int64_t day) {
    const MonthStart& first = IranianMonthStarts[0];
    const MonthStart& last = *std::prev(std::end(IranianMonthStarts));
    if (day < FirstTabledDay())
        return Shifted(day, DayOf(first) - ArithmeticHijriDay(first.hijriYear, first.hijriMonth, 1));
    if (day > LastTabledDay()) {
        // The arithmetic calendar itself, not moved to the table's last month
        // start: over the table's years Iran began its months on the
        // arithmetic calendar's day or a day either side, but that last start
        // is a day before it, and moved by it every later month would begin a
        // day early, up to two before Iran's. The last tabled month runs on
        // until the arithmetic calendar's next month begins.
        const HijriDate arithmetic = ArithmeticHijri(day);
        if (arithmetic.year * 12 + arithmetic.month > last.hijriYear * 12 + last.hijriMonth)
            return arithmetic;
        return {last.hijriYear, last.hijriMonth, static_cast<int>(day - DayOf(last)) + 1};
    }
    const MonthStart* month = std::upper_bound(
        std::begin(IranianMonthStarts), std::end(IranianMonthStarts), day,
        [](int64_t d, const MonthStart& start) { return d < DayOf(start); });
    --month;
    return {month->hijriYear, month->hijriMonth, static_cast<int>(day - DayOf(*month)) + 1};
}

} // namespace LunarCalendar

}  // namespace velnora
