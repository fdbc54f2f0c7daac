// SPDX-License-Identifier: GPL-3.0-or-later

#include "MonthGrid.h"

#include "DateTime.h"
#include "PersianDate.h"

#include <stdexcept>

namespace velnora {

const char* MonthNamingName(MonthNaming naming) {
    return naming == MonthNaming::Dari ? "dari" : "iranian";
}

namespace {

void CheckMonth(uint16_t month) {
    // The tables have 12 entries; another month would read past them.
    if (month < 1 || month > 12)
        throw std::out_of_range("Month " + std::to_string(month) + " is not 1 to 12");
}

} // namespace

void FillMonthGrid(MonthGrid& grid, uint16_t year, uint16_t month, uint16_t day,
                   CalendarRule rule) {
    CheckMonth(month);
    grid.month = month;
    grid.year = year;
    grid.rule = rule;
    for (int i = 0; i < 7; ++i) {
        for (std::string& cell : grid.cells[6 - i])
            cell.clear();
        grid.cells[6 - i][0] = WeekdayInitials[i];
    }

    // b counts the days from Saturday to day 1, so day 1 goes to column 6 - b.
    const int weekday = DayOfWeek(PersianDate::PersianToDate(year, month, 1, rule)); // 1 = Sunday
    int b = weekday == 7 ? 0 : weekday;
    const int days = DaysInPersianMonth(year, month, rule);
    int row = 1;
    for (int k = 1; k <= days; ++k) {
        grid.cells[6 - b][row] = std::to_string(k);
        if (++b > 6) {
            b = 0;
            ++row;
        }
    }

    // Today's cell: rows top down, each row from the right (Saturday) to the left.
    const std::string dayText = std::to_string(day);
    for (int r = 0; r < 7; ++r) {
        for (int c = 6; c >= 0; --c) {
            if (grid.cells[c][r] == dayText) {
                grid.currentColumn = c;
                grid.currentRow = r;
                return;
            }
        }
    }
}

YearMonth PreviousMonth(uint16_t year, uint16_t month) {
    if (month == 1)
        return {static_cast<uint16_t>(year - 1), 12};
    return {year, static_cast<uint16_t>(month - 1)};
}

YearMonth NextMonth(uint16_t year, uint16_t month) {
    if (month == 12)
        return {static_cast<uint16_t>(year + 1), 1};
    return {year, static_cast<uint16_t>(month + 1)};
}

std::string MonthTitle(uint16_t year, uint16_t month, MonthNaming naming) {
    CheckMonth(month);
    const char* const* names = naming == MonthNaming::Dari ? DariMonthNames : MonthNames;
    return std::string(names[month - 1]) + " " + std::to_string(year);
}

MonthGrids FillMonthGrids(uint16_t year, uint16_t month, uint16_t day, CalendarRule rule,
                          MonthNaming naming) {
    const YearMonth previous = PreviousMonth(year, month);
    const YearMonth next = NextMonth(year, month);
    MonthGrids grids;
    grids.now.name = CurrentMonthGridName;
    grids.next.name = "SGnext";
    grids.prev.name = "SGprev";
    // The neighbours get today's day too; only the current month's cell is marked.
    FillMonthGrid(grids.now, year, month, day, rule);
    FillMonthGrid(grids.next, next.year, next.month, day, rule);
    FillMonthGrid(grids.prev, previous.year, previous.month, day, rule);
    grids.prev.title = MonthTitle(previous.year, previous.month, naming);
    grids.now.title = MonthTitle(year, month, naming);
    grids.next.title = MonthTitle(next.year, next.month, naming);
    return grids;
}

}  // namespace velnora
