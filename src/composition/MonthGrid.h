// SPDX-License-Identifier: GPL-3.0-or-later
// The three month grids the calendar shows, with their titles. Texts are
// Windows-1256 bytes, digits in ASCII.
#pragma once

#include "MonthNames.h"
#include "PersianDate.h"

#include <array>
#include <cstdint>
#include <string>

namespace velnora {

// The name of the current month's grid: the only grid that marks today's cell.
inline constexpr const char* CurrentMonthGridName = "StringGrid1";

struct MonthGrid {
    // cells[column][row]; column 0 is the leftmost, row 0 the weekday initials.
    std::array<std::array<std::string, 7>, 7> cells;
    int currentColumn = 0;
    int currentRow = 0;
    std::string name;   // "StringGrid1", "SGprev" or "SGnext"
    std::string title;  // month name, one space, year
    uint16_t month = 0; // the Persian month shown, 1..12 (0: none), for its holidays
    uint16_t year = 0;  // its year (0: none, only the fixed solar holidays are known)
    PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic;
};

// Which names the titles give the months.
enum class MonthNaming { Iranian, Dari };
// "iranian" or "dari", as the settings file writes them.
const char* MonthNamingName(MonthNaming naming);

using PersianDate::CalendarRule;
using PersianDate::DaysInPersianMonth;

// Rewrites all 49 cells with Persian month `month` (1..12) of `year` under
// `rule`, the week running right to left from Saturday; makes the first cell
// holding `day` the current cell, or leaves the current cell as it was when
// there is none. Throws std::out_of_range for a month outside 1..12.
void FillMonthGrid(MonthGrid& grid, uint16_t year, uint16_t month, uint16_t day,
                   CalendarRule rule = CalendarRule::Arithmetic);

struct YearMonth {
    uint16_t year;
    uint16_t month;
};

// The month before and after: month 12 of the year before precedes month 1.
YearMonth PreviousMonth(uint16_t year, uint16_t month);
YearMonth NextMonth(uint16_t year, uint16_t month);
// MonthNames entry (DariMonthNames for Dari), one space, the year in ASCII
// digits: the title above a grid.
std::string MonthTitle(uint16_t year, uint16_t month, MonthNaming naming = MonthNaming::Iranian);

struct MonthGrids {
    MonthGrid prev; // SGprev, title of Lprev
    MonthGrid now;  // StringGrid1, title of Lnow: holds today's cell
    MonthGrid next; // SGnext, title of Lnext
};

// The three grids and titles for today's Persian date under `rule`.
MonthGrids FillMonthGrids(uint16_t year, uint16_t month, uint16_t day,
                          CalendarRule rule = CalendarRule::Arithmetic,
                          MonthNaming naming = MonthNaming::Iranian);

}  // namespace velnora
