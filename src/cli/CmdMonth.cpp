// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"

#include "CalendarOption.h"
#include "Cp1256.h"
#include "DateArgs.h"
#include "DateTime.h"
#include "MonthGrid.h"
#include "PersianDate.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

// Each cell is 3 characters wide, the cells one space apart: 27 in all. The
// texts are padded while still in Windows-1256, one byte per character.
constexpr size_t CellWidth = 3;
constexpr size_t GridWidth = 7 * CellWidth + 6;

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void PrintTsv(const MonthGrid& grid) {
    std::string out = Cp1256ToUtf8(grid.title) + "\n";
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (column > 0)
                out += '\t';
            out += Cp1256ToUtf8(grid.cells[column][row]);
        }
        out += '\n';
    }
    out += "current\t" + std::to_string(grid.currentColumn) + "\t" +
           std::to_string(grid.currentRow) + "\n";
    std::fputs(out.c_str(), stdout);
}

// Columns left to right as the grid holds them, so Saturday is on the right.
void PrintForReading(const MonthGrid& grid, bool highlight) {
    // The current cell is today's only when the day was found among the days.
    const bool markToday = highlight && grid.currentRow > 0;
    std::string out = PadLeft(grid.title, (GridWidth + grid.title.size()) / 2) + "\n";
    for (int row = 0; row < 7; ++row) {
        bool empty = true;
        std::string line;
        for (int column = 0; column < 7; ++column) {
            const std::string& cell = grid.cells[column][row];
            empty &= cell.empty();
            if (column > 0)
                line += ' ';
            const std::string padded = PadLeft(cell, CellWidth);
            if (markToday && column == grid.currentColumn && row == grid.currentRow)
                line += "\x1b[7m" + padded + "\x1b[0m"; // reverse video
            else
                line += padded;
        }
        if (empty)
            continue; // a week row without days
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    std::fputs(Cp1256ToUtf8(out).c_str(), stdout);
}

} // namespace

// velnora-cli month [Y/M/D] [--tsv] [--calendar RULE]: the grid of month M of
// year Y with D as today's day; today's month and day by default, under the
// rule of the program's settings unless told.
int RunMonth(const Args& args) {
    bool tsv = false;
    std::string dateArg;
    std::optional<PersianDate::CalendarRule> chosenRule;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--tsv")
            tsv = true;
        else if (arg == "--calendar")
            chosenRule = CalendarOption(OptionValue(args, i));
        else if (!arg.empty() && arg[0] == '-')
            return UsageError();
        else if (dateArg.empty())
            dateArg = arg;
        else
            return UsageError();
    }
    const PersianDate::CalendarRule rule = chosenRule ? *chosenRule : ProgramCalendarRule();
    PersianYmd date{};
    if (dateArg.empty()) {
        PersianDate::DateToPersian(Today(), date.year, date.month, date.day, rule);
    } else {
        try {
            const std::optional<PersianYmd> parsed = ParsePersianArg(dateArg);
            if (!parsed)
                throw std::runtime_error("not a Persian date Y/M/D");
            if (parsed->month < 1 || parsed->month > 12)
                throw std::runtime_error("the month is not 1 to 12");
            date = *parsed;
        } catch (const std::runtime_error& error) {
            PrintError(dateArg + ": " + error.what());
            return 2;
        }
    }
    MonthGrid grid;
    grid.name = CurrentMonthGridName;
    try {
        FillMonthGrid(grid, date.year, date.month, date.day, rule);
    } catch (const std::runtime_error& error) {
        PrintError(dateArg + ": " + error.what()); // a month after 9999
        return 2;
    }
    grid.title = MonthTitle(date.year, date.month);
    if (tsv)
        PrintTsv(grid);
    else
        PrintForReading(grid, isatty(STDOUT_FILENO) == 1);
    return 0;
}
