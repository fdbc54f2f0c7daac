// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli render: the redraw of the program without the window and without
// touching the desktop: today's calendar (or that of a given day) composed onto
// a picture and saved as a BMP file.
#include "Commands.h"

#include "BmpFile.h"
#include "CalendarOption.h"
#include "Compose.h"
#include "DateArgs.h"
#include "DateTime.h"
#include "MonthGrid.h"
#include "PersianDate.h"
#include "PictureLoader.h"
#include "QtCanvas.h"
#include "Settings.h"
#include "UnattendedRun.h"
#include "WholeNumber.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct RenderRequest {
    std::string output;
    std::string source;
    std::optional<PersianYmd> date;
    PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic;
    // The choices in the settings file's terms, drawn as the program draws them.
    Settings settings;
    PictureSize size; // the stretch's size, when stretching
};

// Y/M/D naming a day that exists. Unlike the settings file's date text, a
// mistyped date is refused rather than taken for today, and a day past the
// month's end is refused rather than rolled into the next month: the picture
// would silently show another month than the one asked for.
PersianYmd ParseDay(const std::string& text, PersianDate::CalendarRule rule) {
    const std::optional<PersianYmd> date = ParsePersianArg(text);
    if (!date || date->year < 1 || date->month < 1 || date->month > 12 || date->day < 1)
        throw Misuse("--date wants Y/M/D, not '" + text + "'");
    if (date->day > DaysInPersianMonth(date->year, date->month, rule))
        throw Misuse("no day " + std::to_string(date->day) + " in month " +
                     std::to_string(date->month) + " of " + std::to_string(date->year));
    return *date;
}

// WIDTHxHEIGHT, each a whole number; the stretch itself refuses sizes it
// cannot make.
void ParseSize(const std::string& text, RenderRequest& request) {
    const std::size_t cross = text.find_first_of("xX", 1);
    const auto width =
        cross == std::string::npos ? std::nullopt : TryStrToInt(text.substr(0, cross));
    const auto height =
        cross == std::string::npos ? std::nullopt : TryStrToInt(text.substr(cross + 1));
    if (!width || !height)
        throw Misuse("--size wants WIDTHxHEIGHT, not '" + text + "'");
    request.settings.stretch = true;
    request.size = {*width, *height};
}

// The settings file's corner code.
int32_t ParseCorner(const std::string& text) {
    if (text == "top-right")
        return 1;
    if (text == "bottom-right")
        return 2;
    if (text == "bottom-left")
        return 3;
    if (text == "top-left")
        return 4;
    throw Misuse("--corner is top-right, bottom-right, bottom-left or top-left, not '" + text +
                 "'");
}

RenderRequest ParseRequest(const Args& args) {
    RenderRequest request;
    // The program's own defaults: no stretch unless a size is given.
    request.settings.stretch = false;
    // The day is checked against its month once the rule is known.
    std::optional<std::string> dateText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--source")
            request.source = value();
        else if (arg == "--date")
            dateText = value();
        else if (arg == "--calendar")
            request.rule = CalendarOption(value());
        else if (arg == "--size")
            ParseSize(value(), request);
        else if (arg == "--corner")
            request.settings.position = ParseCorner(value());
        // The distances stay texts: the drawing converts them as the window's
        // fields are converted, with the same message for a bad one.
        else if (arg == "--dx")
            request.settings.leftRightText = value();
        else if (arg == "--dy")
            request.settings.topBottomText = value();
        else if (arg == "--no-prev")
            request.settings.previous = false;
        else if (arg == "--no-next")
            request.settings.next = false;
        else if (arg == "--text-colour")
            request.settings.back = StrToInt(value());
        else if (arg == "--today-colour")
            request.settings.today = StrToInt(value());
        else if (arg.starts_with("--") || !request.output.empty())
            throw Misuse("render: unexpected argument '" + arg + "'");
        else
            request.output = arg;
    }
    if (request.output.empty())
        throw Misuse("render wants an output file");
    if (request.source.empty())
        throw Misuse("render wants --source PICTURE");
    if (dateText)
        request.date = ParseDay(*dateText, request.rule);
    return request;
}

} // namespace

int RunRender(const Args& args) {
    // Misuse is reported by main with the usage text, before anything is written.
    const RenderRequest request = ParseRequest(args);

    PersianYmd today{};
    if (request.date)
        today = *request.date;
    else
        PersianDate::DateToPersian(Today(), today.year, today.month, today.day, request.rule);
    const MonthGrids grids = FillMonthGrids(today.year, today.month, today.day, request.rule);

    const OffscreenGui gui;
    Bitmap picture;
    CalendarChoices choices = PictureChoicesFor(request.settings).calendar;
    choices.desktopWidth = request.size.width;
    choices.desktopHeight = request.size.height;
    // A drawing is rendered at the size it is stretched to, else at its own.
    LoadSourcePicture(request.source, picture, choices.stretch ? request.size : PictureSize{});
    ComposeCalendar(picture, choices, grids, MakeQtCanvas);
    // Written to a temporary file renamed over the output: a failure leaves no
    // half-written picture behind.
    WriteBmpFile(request.output, picture);
    return 0;
}
