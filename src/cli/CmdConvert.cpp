// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"

#include "CalendarOption.h"
#include "DateArgs.h"
#include "PersianDate.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

using PersianDate::CalendarRule;

// One date in one notation, given in the other; throws the reason it cannot.
std::string Convert(const std::string& input, CalendarRule rule) {
    if (const std::optional<double> date = ParseGregorianArg(input))
        return PersianDate::DateToPersianStr(*date, rule);
    if (const std::optional<PersianYmd> persian = ParsePersianArg(input))
        return GregorianText(
            PersianDate::PersianToDate(persian->year, persian->month, persian->day, rule));
    throw std::runtime_error("not a date (YYYY-MM-DD or Y/M/D)");
}

// Prints the conversion, or the reason on standard error; false on failure.
bool ConvertLine(const std::string& input, CalendarRule rule) {
    try {
        const std::string output = Convert(input, rule);
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

} // namespace

// velnora-cli convert [--calendar RULE] [DATE...]: each argument, or each line
// of standard input; the arithmetic rule unless told.
int RunConvert(const Args& args) {
    CalendarRule rule = CalendarRule::Arithmetic;
    Args dates;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--calendar")
            rule = CalendarOption(OptionValue(args, i));
        else if (arg.size() > 1 && arg[0] == '-' && (arg[1] < '0' || arg[1] > '9'))
            return UsageError(); // no other options here
        else
            dates.push_back(arg);
    }
    // Whole blocks, not a flush per line: millions of lines pass through pipes.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    bool allConverted = true;
    if (!dates.empty()) {
        for (const std::string& date : dates)
            allConverted &= ConvertLine(date, rule);
    } else {
        LineBuffer line;
        ssize_t length;
        while ((length = getline(&line.data, &line.capacity, stdin)) >= 0) {
            // A line ends at "\n"; a "\r" before it is part of the line ending too.
            if (length > 0 && line.data[length - 1] == '\n')
                --length;
            if (length > 0 && line.data[length - 1] == '\r')
                --length;
            allConverted &= ConvertLine(std::string(line.data, static_cast<size_t>(length)), rule);
        }
        if (std::ferror(stdin))
            throw std::runtime_error("cannot read standard input");
    }
    if (std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write standard output");
    return allConverted ? 0 : 2;
}
