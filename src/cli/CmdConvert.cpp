// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli convert: each date given, or each line of standard input, in the
// other calendar; under the rule of the program's settings unless told.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateArgs.h"
#include "DateFormat.h"
#include "FormatFields.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace velnora {

namespace {

struct Conversion {
    std::optional<CalendarKind> input; // nothing: by the separators
    PersianDate::CalendarRule rule;
    std::optional<std::string> format;
    bool persianDigits;
    MonthNaming monthNames;
};

// One date in the other calendar; throws the reason it cannot.
std::string Convert(const std::string& text, const Conversion& how) {
    const std::optional<DateArg> date = ParseDateArg(text, how.input);
    if (!date)
        throw std::runtime_error(!how.input ? "not a date (YYYY-MM-DD or Y/M/D)"
                                 : *how.input == CalendarKind::Persian
                                     ? "not a Persian date (Y/M/D)"
                                     : "not a Gregorian date (YYYY-MM-DD)");
    const double day = DayOf(*date, how.rule);
    const bool toPersian = date->calendar == CalendarKind::Gregorian;
    std::string format = how.format.value_or(toPersian ? "%Y/%m/%d" : "%F");
    // Only the Dari names need the month: millions of lines pass through.
    if (toPersian && how.monthNames == MonthNaming::Dari) {
        uint16_t year = 0, month = 0, dayOfMonth = 0;
        PersianDate::DateToPersian(day, year, month, dayOfMonth, how.rule);
        format = WithFields(format, MonthNameFields(month, how.monthNames));
    }
    return FormatDate(day, format, toPersian ? CalendarKind::Persian : CalendarKind::Gregorian,
                      how.rule, how.persianDigits);
}

// Prints the conversion, or the reason on standard error; false on failure.
bool ConvertLine(const std::string& input, const Conversion& how) {
    try {
        const std::string output = Convert(input, how);
        std::fwrite(output.data(), 1, output.size(), stdout);
        std::fputc('\n', stdout);
        return true;
    } catch (const std::runtime_error& error) {
        PrintError(input + ": " + error.what());
        return false;
    }
}

// getline's buffer, freed on every way out.
struct LineBuffer {
    char* data = nullptr;
    size_t capacity = 0;
    ~LineBuffer() { std::free(data); }
};

int RunConvert(const CommandLine& line) {
    if (line.IsSet("persian") && line.IsSet("gregorian"))
        throw Misuse("convert: --persian and --gregorian exclude each other");
    Conversion how{std::nullopt, ChosenRule(line), line.Value("format"),
                   line.IsSet("persian-digits"), ChosenMonthNames(line)};
    if (line.IsSet("persian"))
        how.input = CalendarKind::Persian;
    if (line.IsSet("gregorian"))
        how.input = CalendarKind::Gregorian;
    // Whole blocks, not a flush per line: millions of lines pass through pipes.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    bool allConverted = true;
    if (!line.Positional().empty()) {
        for (const std::string& date : line.Positional())
            allConverted &= ConvertLine(date, how);
    } else {
        // A person at a terminal who gave no date would wait for nothing.
        if (isatty(STDIN_FILENO) == 1)
            throw Misuse("convert: no DATE given, and standard input is a terminal");
        LineBuffer input;
        ssize_t length;
        while ((length = getline(&input.data, &input.capacity, stdin)) >= 0) {
            // A line ends at "\n"; a "\r" before it is part of the line ending too.
            if (length > 0 && input.data[length - 1] == '\n')
                --length;
            if (length > 0 && input.data[length - 1] == '\r')
                --length;
            allConverted &= ConvertLine(std::string(input.data, static_cast<size_t>(length)), how);
        }
        if (std::ferror(stdin))
            throw std::runtime_error("cannot read standard input");
    }
    if (std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write standard output");
    return allConverted ? 0 : 2;
}

} // namespace

const Command ConvertCommand = {
    "convert",
    "Usage: velnora-cli convert [--calendar RULE] [-j|--persian | -g|--gregorian]\n"
    "                           [--format FORMAT] [--persian-digits]\n"
    "                           [--month-names NAMES] [DATE...]\n"
    "\n"
    "Converts each DATE, or each line of standard input when no DATE is given, into\n"
    "the other calendar, one line for each: a Gregorian date gives the Persian date\n"
    "(2024-03-20 gives 1403/01/01), a Persian date the Gregorian one (1403/01/01\n"
    "gives 2024-03-20). A day that does not exist (1403/07/31, 1403/13/01) is\n"
    "refused. A date that cannot be converted is reported on standard error; the\n"
    "others still convert, and the exit status is 2. Blanks and direction marks\n"
    "around a date are ignored.\n"
    "\n",
    {{{"persian", "j"}, nullptr, "every DATE is a Persian date"},
     {{"gregorian", "g"},
      nullptr,
      "every DATE is a Gregorian date\n"
      "(without either, a year below 1700 is Persian, written\n"
      "Y/M/D or Y-M-D as jdate +%F writes it, and a later year\n"
      "Gregorian, written Y-M-D; any other date is refused with\n"
      "a hint; with either, \"/\", \"-\" and \".\" all separate the\n"
      "fields, and the year may come last: 8/12/2026 -g)"},
     CalendarRuleOption,
     MonthNamesOption,
     FormatOption,
     PersianDigitsOption},
    RunConvert,
    FormatFieldsHelp,
};

}  // namespace velnora
