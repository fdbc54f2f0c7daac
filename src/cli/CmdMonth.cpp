// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli month: the grid of a Persian month, or the twelve of a year, for
// reading in a terminal or, with --tsv, for scripts.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateArgs.h"
#include "DateFormat.h"
#include "DateTime.h"
#include "FormatFields.h"
#include "MonthGrid.h"
#include "PersianDate.h"
#include "Holidays.h"
#include "VisualArabic.h"
#include "WholeNumber.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace velnora {

namespace {

// The days shown in the holiday colour besides Fridays, solar and lunar: the
// one place that says which days are holidays, for every layout.
bool IsHoliday(uint16_t year, uint16_t month, uint16_t day, PersianDate::CalendarRule rule) {
    return !HolidaysOn(year, month, day, rule).empty();
}

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

// Reverse video for today, red for Fridays and holidays (ECMA-48 SGR 7, 31).
const std::string Reverse = "\x1b[7m", Red = "\x1b[31m", RedReverse = "\x1b[7;31m",
                  Plain = "\x1b[0m";

// Column 0, the leftmost, is Friday: Saturday is on the right.
constexpr int FridayColumn = 0;

// A single month's cells are 3 characters wide, the cells one space apart: 27
// in all. Three months across take cells of 2, as cal(1) does, so that they
// fit 64 columns, two spaces between months. No cell holds more than 2
// characters; the texts are measured while still in Windows-1256, one byte per
// character.
constexpr size_t SingleCellWidth = 3, AcrossCellWidth = 2, MonthGap = 2;
constexpr size_t GridWidth(size_t cellWidth) {
    return 7 * cellWidth + 6;
}

struct Layout {
    size_t cellWidth = SingleCellWidth;
    bool markToday = false; // reverse video on the current cell
    bool colour = false;    // Fridays and holidays in red
    bool persianDigits = false;
};

// The grid's Windows-1256 text in UTF-8, spelt as Persian writes it.
std::string PersianText(const std::string& cp1256, const Layout& layout) {
    const std::string text = PersianSpelling(cp1256);
    return layout.persianDigits ? WithPersianDigits(text) : text;
}

std::string Tsv(const MonthGrid& grid, const Layout& layout) {
    std::string out = PersianText(grid.title, layout) + "\n";
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (column > 0)
                out += '\t';
            out += PersianText(grid.cells[column][row], layout);
        }
        out += '\n';
    }
    out += "current\t" + std::to_string(grid.currentColumn) + "\t" +
           std::to_string(grid.currentRow) + "\n";
    return out;
}

// One line of a grid for reading, and the columns it takes on the terminal.
struct Line {
    std::string text;
    size_t width = 0;
};

// Columns left to right as the grid holds them, so Saturday is on the right.
// Each line ends at its last cell.
std::vector<Line> ForReading(const MonthGrid& grid, uint16_t year, PersianDate::CalendarRule rule,
                             const Layout& layout) {
    const size_t gridWidth = GridWidth(layout.cellWidth);
    const size_t space = grid.title.rfind(' ');
    const std::string name = grid.title.substr(0, space), yearText = grid.title.substr(space);
    const std::optional<std::string> visual = VisualArabicWord(name);
    const size_t indent = (gridWidth - std::min(gridWidth, grid.title.size())) / 2;
    std::vector<Line> lines{{std::string(indent, ' ') +
                                 (visual ? *visual : Rli + PersianText(name, layout) + Pdi) +
                                 PersianText(yearText, layout),
                             indent + grid.title.size()}};
    for (int row = 0; row < 7; ++row) {
        int last = -1; // the rightmost cell with text; the line ends there
        for (int column = 0; column < 7; ++column)
            if (!grid.cells[column][row].empty())
                last = column;
        if (last < 0)
            continue; // a week row without days
        Line line;
        for (int column = 0; column <= last; ++column) {
            const std::string& cell = grid.cells[column][row];
            if (column > 0)
                line.text += ' ';
            line.width += column > 0 ? 1 + layout.cellWidth : layout.cellWidth;
            if (cell.empty()) {
                line.text += std::string(layout.cellWidth, ' ');
                continue;
            }
            // The padding comes first, outside the isolate: tmux keeps a mark
            // that has no character before it on its line only then.
            const std::string isolated = std::string(layout.cellWidth - cell.size(), ' ') + Lri +
                                         PersianText(cell, layout) + Pdi;
            const std::optional<int32_t> day = row > 0 ? TryStrToInt(cell) : std::nullopt;
            const bool red =
                layout.colour &&
                (column == FridayColumn ||
                 (day && IsHoliday(year, grid.month, static_cast<uint16_t>(*day), rule)));
            const bool today = layout.markToday && row > 0 && column == grid.currentColumn &&
                               row == grid.currentRow;
            if (today)
                line.text += (red ? RedReverse : Reverse) + isolated + Plain;
            else if (red)
                line.text += Red + isolated + Plain;
            else
                line.text += isolated;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& line : lines)
        out += line.text + "\n";
    return out;
}

// Up to three months side by side, the first on the right as the days run
// right to left; the lines padded so that the months keep their columns.
std::string Across(const std::vector<std::vector<Line>>& months, size_t gridWidth) {
    size_t height = 0;
    for (const std::vector<Line>& month : months)
        height = std::max(height, month.size());
    std::string out;
    for (size_t row = 0; row < height; ++row) {
        std::string text;
        size_t pending = 0; // spaces owed before the next text: none at a line's end
        for (size_t i = months.size(); i-- > 0;) {
            const Line line = row < months[i].size() ? months[i][row] : Line{};
            if (!line.text.empty()) {
                text += std::string(pending, ' ') + line.text;
                pending = 0;
            }
            pending += gridWidth - line.width + MonthGap;
        }
        out += text + "\n";
    }
    return out;
}

// The terminal's width in columns: standard output's, else $COLUMNS (as a
// shell sets it); 0 when neither says.
size_t TerminalColumns() {
    winsize size{};
    if (isatty(STDOUT_FILENO) == 1 && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 &&
        size.ws_col > 0)
        return size.ws_col;
    const char* columns = std::getenv("COLUMNS");
    const std::optional<int32_t> value = columns ? TryStrToInt(columns) : std::nullopt;
    return value && *value > 0 ? static_cast<size_t>(*value) : 0;
}

// Colours only for a person at a terminal, and not when NO_COLOR asks for
// none (https://no-color.org).
bool ColoursWanted() {
    const char* noColour = std::getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) == 1 && (noColour == nullptr || *noColour == '\0');
}

// What was asked: a day, a month (day 0, found in no cell) or a whole year.
struct MonthRequest {
    PersianYmd date{};
    bool wholeYear = false;
};

MonthRequest ParseMonthArgs(const Args& args, PersianDate::CalendarRule rule) {
    std::optional<std::vector<uint16_t>> fields = ParsePersianFields(args[0]);
    if (args.size() == 2) {
        // YEAR MONTH, as cal(1) takes two numbers.
        const std::optional<std::vector<uint16_t>> month = ParsePersianFields(args[1]);
        if (!fields || !month || fields->size() != 1 || month->size() != 1)
            throw Misuse("month: YEAR MONTH wants two numbers, not '" + args[0] + "' '" + args[1] +
                         "'");
        fields->push_back(month->front());
    }
    if (!fields)
        throw std::runtime_error("not a Persian date Y/M/D, month Y/M or year Y");
    MonthRequest request;
    request.wholeYear = fields->size() == 1;
    request.date.year = (*fields)[0];
    request.date.month = fields->size() > 1 ? (*fields)[1] : 1;
    if (fields->size() > 2) {
        request.date.day = (*fields)[2];
        CheckPersianDay(request.date.year, request.date.month, request.date.day, rule);
    } else {
        CheckPersianDay(request.date.year, request.date.month, 1, rule);
    }
    return request;
}

int RunMonth(const CommandLine& line) {
    const Args& positional = line.Positional();
    if (positional.size() > 2)
        throw Misuse("month: unexpected argument '" + positional[2] + "'");
    const PersianDate::CalendarRule rule = ChosenRule(line);
    MonthRequest request;
    if (positional.empty()) {
        PersianDate::DateToPersian(Today(), request.date.year, request.date.month, request.date.day,
                                   rule);
    } else {
        try {
            request = ParseMonthArgs(positional, rule);
        } catch (const Misuse&) {
            throw;
        } catch (const std::runtime_error& error) {
            std::string typed = positional[0];
            if (positional.size() == 2)
                typed += " " + positional[1];
            PrintError(typed + ": " + error.what());
            return 2;
        }
    }
    const MonthNaming naming = ChosenMonthNames(line);
    const bool tsv = line.IsSet("tsv");
    Layout layout;
    layout.markToday = !tsv && isatty(STDOUT_FILENO) == 1;
    layout.colour = !tsv && ColoursWanted();
    layout.persianDigits = line.IsSet("persian-digits");
    const bool across = request.wholeYear && !tsv &&
                        TerminalColumns() >= 3 * GridWidth(AcrossCellWidth) + 2 * MonthGap;
    if (across)
        layout.cellWidth = AcrossCellWidth;

    std::vector<std::string> blocks; // one for each month, or each row of three
    std::vector<std::vector<Line>> row;
    std::string failure;
    const uint16_t lastMonth = request.wholeYear ? 12 : request.date.month;
    for (uint16_t month = request.date.month; month <= lastMonth; ++month) {
        MonthGrid grid;
        grid.name = CurrentMonthGridName;
        try {
            FillMonthGrid(grid, request.date.year, month, request.date.day, rule);
        } catch (const std::runtime_error& error) {
            // Only a month after the last day the platform's date holds.
            failure = std::to_string(request.date.year) + "/" + std::to_string(month) + ": " +
                      AfterRangeMessage(CalendarKind::Persian, rule, error.what());
            break;
        }
        grid.title = MonthTitle(request.date.year, month, naming);
        if (tsv) {
            blocks.push_back(Tsv(grid, layout));
        } else if (!across) {
            blocks.push_back(Joined(ForReading(grid, request.date.year, rule, layout)));
        } else {
            row.push_back(ForReading(grid, request.date.year, rule, layout));
            if (row.size() == 3) {
                blocks.push_back(Across(row, GridWidth(layout.cellWidth)));
                row.clear();
            }
        }
    }
    if (!row.empty())
        blocks.push_back(Across(row, GridWidth(layout.cellWidth)));
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (i > 0 && !tsv)
            std::fputc('\n', stdout);
        std::fputs(blocks[i].c_str(), stdout);
    }
    if (!failure.empty()) {
        PrintError(failure);
        return 2;
    }
    return 0;
}

} // namespace

const Command MonthCommand = {
    "month",
    "Usage: velnora-cli month [Y/M/D | Y/M | YEAR MONTH | Y] [--tsv]\n"
    "                         [--persian-digits] [--calendar RULE]\n"
    "                         [--month-names NAMES]\n"
    "\n"
    "Shows Persian month M of year Y with day D marked as today (default: today's\n"
    "month and day): its name and year, the weekday initials, and the days right to\n"
    "left with Saturday on the right. Y/M, or YEAR MONTH, shows the month with no\n"
    "day marked, Y the twelve months of the year: three across, the first on the\n"
    "right, where the terminal is at least 64 columns wide (standard output's\n"
    "width, else $COLUMNS), else one below another. On a terminal today's day is\n"
    "in reverse video and Fridays and holidays are red, unless NO_COLOR is set.\n"
    "\n",
    {{{"tsv"},
      nullptr,
      "for scripts: the name and year on the first line, then the\n"
      "seven rows of the grid (the weekday initials first), the\n"
      "cells left to right separated by tabs, then the line\n"
      "current<TAB>column<TAB>row of the marked day (0 0 when no\n"
      "day is marked); twelve such blocks for a year"},
     {{"persian-digits"}, nullptr, "write the days and the year as \u06f0..\u06f9"},
     CalendarRuleOption,
     MonthNamesOption},
    RunMonth,
};

}  // namespace velnora
