// velnora-cli render: the redraw of the program without the window and without
// touching the desktop: today's calendar (or that of a given day) composed onto
// a picture and saved as a BMP file.
#include "Commands.h"

#include "BmpFile.h"
#include "Compose.h"
#include "DateTime.h"
#include "MonthGrid.h"
#include "PersianDate.h"
#include "PictureLoader.h"
#include "QtCanvas.h"
#include "WholeNumber.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct PersianDay {
    uint16_t year, month, day;
};

struct RenderRequest {
    std::string output;
    std::string source;
    std::optional<PersianDay> date;
    CalendarChoices choices;
};

// Misuse of the command: reported with its own text, status 2, nothing written.
struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Y/M/D, each field a whole number, naming a day that exists. Unlike the
// settings file's date text, a mistyped date is refused rather than taken for
// today: the command's output would silently show the wrong month.
PersianDay ParseDay(const std::string& text) {
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string::npos ? first : text.find('/', first + 1);
    const auto field = [&](std::size_t from, std::size_t to) {
        return TryStrToInt(text.substr(from, to == std::string::npos ? to : to - from));
    };
    if (second == std::string::npos)
        throw Misuse("--date wants Y/M/D, not '" + text + "'");
    const auto year = field(0, first), month = field(first + 1, second),
               day = field(second + 1, std::string::npos);
    if (!year || !month || !day || *year < 1 || *year > 9000 || *month < 1 || *month > 12 ||
        *day < 1)
        throw Misuse("--date wants Y/M/D, not '" + text + "'");
    int days = DaysInMonth[*month - 1];
    if (*month == 12 && PersianDate::IsLeapPersian(static_cast<uint16_t>(*year)))
        days = 30;
    if (*day > days)
        throw Misuse("no day " + std::to_string(*day) + " in month " + std::to_string(*month) +
                     " of " + std::to_string(*year));
    return {static_cast<uint16_t>(*year), static_cast<uint16_t>(*month),
            static_cast<uint16_t>(*day)};
}

// WIDTHxHEIGHT, each a whole number; the stretch itself refuses sizes it
// cannot make.
void ParseSize(const std::string& text, CalendarChoices& choices) {
    const std::size_t cross = text.find_first_of("xX", 1);
    const auto width =
        cross == std::string::npos ? std::nullopt : TryStrToInt(text.substr(0, cross));
    const auto height =
        cross == std::string::npos ? std::nullopt : TryStrToInt(text.substr(cross + 1));
    if (!width || !height)
        throw Misuse("--size wants WIDTHxHEIGHT, not '" + text + "'");
    choices.stretch = true;
    choices.desktopWidth = *width;
    choices.desktopHeight = *height;
}

Corner ParseCorner(const std::string& text) {
    if (text == "top-right")
        return Corner::TopRight;
    if (text == "bottom-right")
        return Corner::BottomRight;
    if (text == "bottom-left")
        return Corner::BottomLeft;
    if (text == "top-left")
        return Corner::TopLeft;
    throw Misuse("--corner is top-right, bottom-right, bottom-left or top-left, not '" + text +
                 "'");
}

RenderRequest ParseRequest(const Args& args) {
    RenderRequest request;
    // The program's own defaults: no stretch unless a size is given.
    request.choices.stretch = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Misuse(arg + " wants a value");
            return args[++i];
        };
        if (arg == "--source")
            request.source = value();
        else if (arg == "--date")
            request.date = ParseDay(value());
        else if (arg == "--size")
            ParseSize(value(), request.choices);
        else if (arg == "--corner")
            request.choices.placement.corner = ParseCorner(value());
        // The distances stay texts: the drawing converts them as the window's
        // fields are converted, with the same message for a bad one.
        else if (arg == "--dx")
            request.choices.placement.dxText = value();
        else if (arg == "--dy")
            request.choices.placement.dyText = value();
        else if (arg == "--no-prev")
            request.choices.placement.showPrev = false;
        else if (arg == "--no-next")
            request.choices.placement.showNext = false;
        else if (arg == "--text-colour")
            request.choices.textColour = static_cast<uint32_t>(StrToInt(value()));
        else if (arg == "--today-colour")
            request.choices.todayColour = static_cast<uint32_t>(StrToInt(value()));
        else if (arg.starts_with("--") || !request.output.empty())
            throw Misuse("render: unexpected argument '" + arg + "'");
        else
            request.output = arg;
    }
    if (request.output.empty())
        throw Misuse("render wants an output file");
    if (request.source.empty())
        throw Misuse("render wants --source PICTURE");
    return request;
}

} // namespace

int RunRender(const Args& args) {
    RenderRequest request;
    try {
        request = ParseRequest(args);
    } catch (const Misuse& misuse) {
        PrintError(misuse.what());
        return UsageError();
    }

    PersianDay today{};
    if (request.date)
        today = *request.date;
    else
        PersianDate::DateToPersian(Today(), today.year, today.month, today.day);
    const MonthGrids grids = FillMonthGrids(today.year, today.month, today.day);

    const OffscreenGui gui;
    Bitmap picture;
    LoadSourcePicture(request.source, picture);
    ComposeCalendar(picture, request.choices, grids, MakeQtCanvas);
    // Written to a temporary file renamed over the output: a failure leaves no
    // half-written picture behind.
    WriteBmpFile(request.output, picture);
    return 0;
}
