// SPDX-License-Identifier: GPL-3.0-or-later

#include "MonthGrid.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

using namespace velnora;

namespace {

// The six day rows under the header, left to right, "." for an empty cell.
using Rows = const char*;

// Header row, Friday (jeem) on the left to Saturday (sheen) on the right.
const std::array<const char*, 7> Header = {"\xCC", "\x81", "\x8D", "\xD3", "\xCF", "\xED", "\xD4"};

void ExpectCells(const MonthGrid& grid, const Rows& rows) {
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(grid.cells[c][0], Header[c]) << "header column " << c;
    std::istringstream row(rows);
    for (int r = 1; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            std::string cell;
            row >> cell;
            EXPECT_EQ(grid.cells[c][r], cell == "." ? "" : cell) << "column " << c << ", row " << r;
        }
    }
}

// Column and row of the cell holding `text`, or (-1, -1).
std::pair<int, int> Find(const MonthGrid& grid, const std::string& text) {
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 7; ++r)
            if (grid.cells[c][r] == text)
                return {c, r};
    return {-1, -1};
}

// Day 1 in the column of its weekday, Saturday on the right; the given day is the current cell.
TEST(MonthGrid, DaysFillTheRowsFromTheRight) {
    struct Case {
        const char* what;
        uint16_t year, month, day;
        Rows rows;
        std::pair<int, int> current; // column, row
    };
    const Case cases[] = {
        {"1 Farvardin 1389 is Sunday 21 March 2010",
         1389,
         1,
         15,
         " 6  5  4  3  2  1  . "
         "13 12 11 10  9  8  7 "
         "20 19 18 17 16 15 14 "
         "27 26 25 24 23 22 21 "
         " .  .  . 31 30 29 28 "
         " .  .  .  .  .  .  . ",
         {5, 3}},
        {"1 Ordibehesht 1403 is Saturday 20 April 2024: the first row full",
         1403,
         2,
         1,
         " 7  6  5  4  3  2  1 "
         "14 13 12 11 10  9  8 "
         "21 20 19 18 17 16 15 "
         "28 27 26 25 24 23 22 "
         " .  .  .  . 31 30 29 "
         " .  .  .  .  .  .  . ",
         {6, 1}},
        {"1 Azar 1404 is Friday 21 November 2025: the sixth row reached",
         1404,
         9,
         30,
         " 1  .  .  .  .  .  . "
         " 8  7  6  5  4  3  2 "
         "15 14 13 12 11 10  9 "
         "22 21 20 19 18 17 16 "
         "29 28 27 26 25 24 23 "
         " .  .  .  .  .  . 30 ",
         {6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MonthGrid grid;
        FillMonthGrid(grid, c.year, c.month, c.day);
        ExpectCells(grid, c.rows);
        EXPECT_EQ(std::make_pair(grid.currentColumn, grid.currentRow), c.current);
    }
}

TEST(MonthGrid, ThreeGridsNamedAndTitled) {
    // 1389/1/15 is 4 April 2010.
    const MonthGrids grids = FillMonthGrids(1389, 1, 15);
    EXPECT_EQ(grids.now.currentColumn, 5);
    EXPECT_EQ(grids.now.currentRow, 3);
    EXPECT_EQ(grids.now.name, "StringGrid1");
    EXPECT_EQ(grids.prev.name, "SGprev");
    EXPECT_EQ(grids.next.name, "SGnext");
    EXPECT_EQ(grids.prev.title, "\xC7\xD3\xDD\xE4\xCF 1388");
    EXPECT_EQ(grids.now.title, "\xDD\xD1\xE6\xD1\xCF\xED\xE4 1389");
    EXPECT_EQ(grids.next.title, "\xC7\xD1\xCF\xED\xC8\xE5\xD4\xCA 1389");
    EXPECT_EQ(MonthTitle(1404, 10), "\xCF\xED 1404"); // Dey, the shortest name
    // Afghanistan's names: Hut 1388, Hamal 1389, Sawr 1389.
    const MonthGrids dari = FillMonthGrids(1389, 1, 15, CalendarRule::Arithmetic, MonthNaming::Dari);
    EXPECT_EQ(dari.prev.title + "|" + dari.now.title + "|" + dari.next.title,
              "\xCD\xE6\xCA 1388|\xCD\xE3\xE1 1389|\xCB\xE6\xD1 1389");
    // Esfand 1388 (common, 29 days) and Ordibehesht 1389 (31 days).
    // 29 Esfand 1388 is the Saturday before: the rightmost column.
    EXPECT_EQ(Find(grids.prev, "29").first, 6);
    EXPECT_EQ(Find(grids.prev, "30"), std::make_pair(-1, -1));
    EXPECT_NE(Find(grids.next, "31"), std::make_pair(-1, -1));
}

TEST(MonthGrid, EsfandHas30DaysOnlyInLeapYears) {
    const std::pair<uint16_t, bool> years[] = {
        {1399, true}, {1402, false}, {1403, false}, {1404, true}};
    for (const auto& [year, leap] : years) {
        MonthGrid grid;
        FillMonthGrid(grid, year, 12, 1);
        EXPECT_NE(Find(grid, "29"), std::make_pair(-1, -1)) << year;
        EXPECT_EQ(Find(grid, "30") != std::make_pair(-1, -1), leap) << year;
        EXPECT_EQ(Find(grid, "31"), std::make_pair(-1, -1)) << year;
    }
}

// Under the official rule 1403 is the leap year and 1404 begins a day later,
// on Friday 21 March 2025 instead of Thursday 20 March.
TEST(MonthGrid, TheRuleDecidesEsfandsLengthAndTheWeekdayOfDay1) {
    struct Case {
        const char* what;
        CalendarRule rule;
        uint16_t year, month;
        Rows rows;
    };
    const Case cases[] = {
        {"Esfand 1403, official: 30 days", CalendarRule::Official, 1403, 12,
         " 3  2  1  .  .  .  . "
         "10  9  8  7  6  5  4 "
         "17 16 15 14 13 12 11 "
         "24 23 22 21 20 19 18 "
         " . 30 29 28 27 26 25 "
         " .  .  .  .  .  .  . "},
        {"Esfand 1403, arithmetic: 29 days", CalendarRule::Arithmetic, 1403, 12,
         " 3  2  1  .  .  .  . "
         "10  9  8  7  6  5  4 "
         "17 16 15 14 13 12 11 "
         "24 23 22 21 20 19 18 "
         " .  . 29 28 27 26 25 "
         " .  .  .  .  .  .  . "},
        {"Farvardin 1404, official: day 1 on Friday", CalendarRule::Official, 1404, 1,
         " 1  .  .  .  .  .  . "
         " 8  7  6  5  4  3  2 "
         "15 14 13 12 11 10  9 "
         "22 21 20 19 18 17 16 "
         "29 28 27 26 25 24 23 "
         " .  .  .  .  . 31 30 "},
        {"Farvardin 1404, arithmetic: day 1 on Thursday", CalendarRule::Arithmetic, 1404, 1,
         " 2  1  .  .  .  .  . "
         " 9  8  7  6  5  4  3 "
         "16 15 14 13 12 11 10 "
         "23 22 21 20 19 18 17 "
         "30 29 28 27 26 25 24 "
         " .  .  .  .  .  . 31 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MonthGrid grid;
        FillMonthGrid(grid, c.year, c.month, 1, c.rule);
        ExpectCells(grid, c.rows);
        // The three grids use the rule too: this month seen from the month after it.
        const YearMonth next = NextMonth(c.year, c.month);
        EXPECT_EQ(FillMonthGrids(next.year, next.month, 1, c.rule).prev.cells, grid.cells);
    }
}

TEST(MonthGrid, NeighboursCrossTheYear) {
    struct Case {
        uint16_t year, month;
        YearMonth previous, next;
        const char* prevTitle;
        const char* nextTitle;
    };
    const Case cases[] = {
        {1404,
         1,
         {1403, 12},
         {1404, 2},
         "\xC7\xD3\xDD\xE4\xCF 1403",
         "\xC7\xD1\xCF\xED\xC8\xE5\xD4\xCA 1404"},
        {1404,
         12,
         {1404, 11},
         {1405, 1},
         "\xC8\xE5\xE3\xE4 1404",
         "\xDD\xD1\xE6\xD1\xCF\xED\xE4 1405"},
        {1404, 7, {1404, 6}, {1404, 8}, "\xD4\xE5\xD1\xED\xE6\xD1 1404", "\xC2\xC8\xC7\xE4 1404"},
    };
    for (const Case& c : cases) {
        const YearMonth previous = PreviousMonth(c.year, c.month);
        const YearMonth next = NextMonth(c.year, c.month);
        EXPECT_EQ(previous.year, c.previous.year);
        EXPECT_EQ(previous.month, c.previous.month);
        EXPECT_EQ(next.year, c.next.year);
        EXPECT_EQ(next.month, c.next.month);
        const MonthGrids grids = FillMonthGrids(c.year, c.month, 1);
        EXPECT_EQ(grids.prev.title, c.prevTitle);
        EXPECT_EQ(grids.next.title, c.nextTitle);
        MonthGrid expectedPrev, expectedNext;
        FillMonthGrid(expectedPrev, c.previous.year, c.previous.month, 1);
        FillMonthGrid(expectedNext, c.next.year, c.next.month, 1);
        EXPECT_EQ(grids.prev.cells, expectedPrev.cells);
        EXPECT_EQ(grids.next.cells, expectedNext.cells);
    }
}

TEST(MonthGrid, DayMissingFromANeighbourLeavesItsCurrentCell) {
    // 31 Shahrivar 1404: Mehr has 30 days.
    const MonthGrids late = FillMonthGrids(1404, 6, 31);
    EXPECT_EQ(Find(late.next, "31"), std::make_pair(-1, -1));
    EXPECT_EQ(late.next.currentColumn, 0);
    EXPECT_EQ(late.next.currentRow, 0);
    EXPECT_EQ(std::make_pair(late.now.currentColumn, late.now.currentRow), Find(late.now, "31"));
    // 30 Farvardin 1404: Esfand 1403 has 29 days.
    const MonthGrids early = FillMonthGrids(1404, 1, 30);
    EXPECT_EQ(early.prev.currentColumn, 0);
    EXPECT_EQ(early.prev.currentRow, 0);
    // A grid refilled without the day keeps the cell it had.
    MonthGrid grid;
    FillMonthGrid(grid, 1404, 1, 31);
    const std::pair<int, int> before{grid.currentColumn, grid.currentRow};
    FillMonthGrid(grid, 1403, 12, 31);
    EXPECT_EQ(std::make_pair(grid.currentColumn, grid.currentRow), before);
}

TEST(MonthGrid, EveryCellIsEmptiedBeforeFilling) {
    MonthGrid grid;
    for (auto& column : grid.cells)
        for (std::string& cell : column)
            cell = "old";
    FillMonthGrid(grid, 1403, 12, 1); // 29 days
    int days = 0;
    for (int c = 0; c < 7; ++c)
        for (int r = 1; r < 7; ++r) {
            EXPECT_NE(grid.cells[c][r], "old");
            days += !grid.cells[c][r].empty();
        }
    EXPECT_EQ(days, 29);
}

TEST(MonthGrid, MonthsOutsideTheTablesAreRefused) {
    MonthGrid grid;
    EXPECT_THROW(FillMonthGrid(grid, 1403, 0, 1), std::out_of_range);
    EXPECT_THROW(FillMonthGrid(grid, 1403, 13, 1), std::out_of_range);
    EXPECT_THROW(MonthTitle(1403, 13), std::out_of_range);
}

} // namespace
