#include "Commands.h"

#include "DateArgs.h"
#include "PersianDate.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// One date in one notation, given in the other; throws the reason it cannot.
std::string Convert(const std::string& input) {
    if (const std::optional<double> date = ParseGregorianArg(input))
        return PersianDate::DateToPersianStr(*date);
    if (const std::optional<PersianYmd> persian = ParsePersianArg(input))
        return GregorianText(
            PersianDate::PersianToDate(persian->year, persian->month, persian->day));
    throw std::runtime_error("not a date (YYYY-MM-DD or Y/M/D)");
}

// Prints the conversion, or the reason on standard error; false on failure.
bool ConvertLine(const std::string& input) {
    try {
        const std::string output = Convert(input);
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

// velnora-cli convert [DATE...]: each argument, or each line of standard input.
int RunConvert(const Args& args) {
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-' && (arg[1] < '0' || arg[1] > '9'))
            return UsageError(); // no options here
    // Whole blocks, not a flush per line: millions of lines pass through pipes.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    bool allConverted = true;
    if (!args.empty()) {
        for (const std::string& arg : args)
            allConverted &= ConvertLine(arg);
    } else {
        LineBuffer line;
        ssize_t length;
        while ((length = getline(&line.data, &line.capacity, stdin)) >= 0) {
            // A line ends at "\n"; a "\r" before it is part of the line ending too.
            if (length > 0 && line.data[length - 1] == '\n')
                --length;
            if (length > 0 && line.data[length - 1] == '\r')
                --length;
            allConverted &= ConvertLine(std::string(line.data, static_cast<size_t>(length)));
        }
        if (std::ferror(stdin))
            throw std::runtime_error("cannot read standard input");
    }
    if (std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write standard output");
    return allConverted ? 0 : 2;
}
