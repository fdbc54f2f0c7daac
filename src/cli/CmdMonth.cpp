// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli month: the grid of a Persian month, or the twelve of a year, for
// reading in a terminal or, with --tsv, for scripts.
#include "Commands.h"

#include "CalendarOption.h"
#include "Cp1256.h"
#include "DateArgs.h"
#include "DateTime.h"
#include "MonthGrid.h"
#include "PersianDate.h"
#include "VisualArabic.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

// Each cell is 3 characters wide, the cells one space apart: 27 in all. The
// texts are measured while still in Windows-1256, one byte per character; no
// cell holds more than 2.
constexpr size_t CellWidth = 3;
constexpr size_t GridWidth = 7 * CellWidth + 6;

// Unicode's directional isolates (UAX #9). A terminal that lays out
// right-to-left text (VTE, Konsole) would otherwise take the row of weekday
// initials, letters with spaces between them, for one right-to-left run and
// reverse it, while the rows of digits stay: every column but the middle one
// would sit under the wrong weekday. Each cell in its own left-to-right isolate
// keeps the columns in place; the line holds no other strong character, so
// terminals that guess a line's direction from its first letter keep it left
// to right. Terminals without bidirectional layout (xterm, tmux in one) draw
// the marks as nothing. The month's name is written as it is seen
// (VisualArabic.h), so that it reads right in both kinds.
const std::string Lri = "\xE2\x81\xA6"; // U+2066 LEFT-TO-RIGHT ISOLATE
const std::string Rli = "\xE2\x81\xA7"; // U+2067 RIGHT-TO-LEFT ISOLATE
const std::string Pdi = "\xE2\x81\xA9"; // U+2069 POP DIRECTIONAL ISOLATE

std::string Tsv(const MonthGrid& grid) {
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
    return out;
}

// Columns left to right as the grid holds them, so Saturday is on the right.
// markToday: reverse video on the current cell, when it holds a day.
std::string ForReading(const MonthGrid& grid, bool markToday) {
    const size_t space = grid.title.rfind(' ');
    const std::string name = grid.title.substr(0, space), year = grid.title.substr(space);
    const std::optional<std::string> visual = VisualArabicWord(name);
    std::string out = std::string((GridWidth - grid.title.size()) / 2, ' ') +
                      (visual ? *visual : Rli + Cp1256ToUtf8(name) + Pdi) + year + "\n";
    for (int row = 0; row < 7; ++row) {
        int last = -1; // the rightmost cell with text; the line ends there
        for (int column = 0; column < 7; ++column)
            if (!grid.cells[column][row].empty())
                last = column;
        if (last < 0)
            continue; // a week row without days
        std::string line;
        for (int column = 0; column <= last; ++column) {
            const std::string& cell = grid.cells[column][row];
            if (column > 0)
                line += ' ';
            // The padding comes first, outside the isolate: tmux keeps a mark
            // that has no character before it on its line only then.
            const std::string isolated =
                std::string(CellWidth - cell.size(), ' ') + Lri + Cp1256ToUtf8(cell) + Pdi;
            if (cell.empty())
                line += std::string(CellWidth, ' ');
            else if (markToday && row > 0 && column == grid.currentColumn && row == grid.currentRow)
                line += "\x1b[7m" + isolated + "\x1b[0m"; // reverse video
            else
                line += isolated;
        }
        out += line + "\n";
    }
    return out;
}

// What was asked: a day, a month (day 0, found in no cell) or a whole year.
struct MonthRequest {
    PersianYmd date{};
    bool wholeYear = false;
};

MonthRequest ParseMonthArg(const std::string& text) {
    const std::optional<std::vector<uint16_t>> fields = ParsePersianFields(text);
    if (!fields)
        throw std::runtime_error("not a Persian date Y/M/D, month Y/M or year Y");
    MonthRequest request;
    request.wholeYear = fields->size() == 1;
    request.date.year = (*fields)[0];
    request.date.month = fields->size() > 1 ? (*fields)[1] : 1;
    request.date.day = fields->size() > 2 ? (*fields)[2] : 0;
    if (request.date.year < 1)
        throw std::runtime_error(BeforeRangeMessage(CalendarKind::Persian));
    if (request.date.month < 1 || request.date.month > 12)
        throw std::runtime_error("the month is not 1 to 12");
    return request;
}

int RunMonth(const CommandLine& line) {
    const Args& positional = line.Positional();
    if (positional.size() > 1)
        throw Misuse("month: unexpected argument '" + positional[1] + "'");
    const PersianDate::CalendarRule rule = ChosenRule(line, ProgramCalendarRule);
    const std::string dateArg = positional.empty() ? "" : positional[0];
    MonthRequest request;
    if (dateArg.empty()) {
        PersianDate::DateToPersian(Today(), request.date.year, request.date.month, request.date.day,
                                   rule);
    } else {
        try {
            request = ParseMonthArg(dateArg);
        } catch (const std::runtime_error& error) {
            PrintError(dateArg + ": " + error.what());
            return 2;
        }
    }
    const bool tsv = line.IsSet("tsv");
    const bool markToday = !tsv && isatty(STDOUT_FILENO) == 1;
    const uint16_t lastMonth = request.wholeYear ? 12 : request.date.month;
    for (uint16_t month = request.date.month; month <= lastMonth; ++month) {
        MonthGrid grid;
        grid.name = CurrentMonthGridName;
        try {
            FillMonthGrid(grid, request.date.year, month, request.date.day, rule);
        } catch (const std::runtime_error& error) {
            // Only a month after the last day the platform's date holds.
            PrintError(std::to_string(request.date.year) + "/" + std::to_string(month) + ": " +
                       AfterRangeMessage(CalendarKind::Persian, rule, error.what()));
            return 2;
        }
        grid.title = MonthTitle(request.date.year, month);
        const std::string text = tsv ? Tsv(grid) : ForReading(grid, markToday);
        if (month > request.date.month && !tsv)
            std::fputc('\n', stdout);
        std::fputs(text.c_str(), stdout);
    }
    return 0;
}

} // namespace

const Command MonthCommand = {
    "month",
    "Usage: velnora-cli month [Y/M/D | Y/M | Y] [--tsv] [--calendar RULE]\n"
    "\n"
    "Shows Persian month M of year Y with day D marked as today (default: today's\n"
    "month and day): its name and year, the weekday initials, and the days right to\n"
    "left with Saturday on the right. Y/M shows the month with no day marked, Y the\n"
    "twelve months of the year. On a terminal today's day is in reverse video.\n"
    "\n"
    "  --tsv              for scripts: the name and year on the first line, then the\n"
    "                     seven rows of the grid (the weekday initials first), the\n"
    "                     cells left to right separated by tabs, then the line\n"
    "                     current<TAB>column<TAB>row of the marked day (0 0 when no\n"
    "                     day is marked); twelve such blocks for a year\n" VELNORA_RULE_HELP
    "                     (default: the rule of the program's settings file)\n",
    {{{"tsv"}}, CalendarRuleOption},
    RunMonth,
};
