// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli render: the redraw of the program without the window and without
// touching the desktop: today's calendar (or that of a given day) composed onto
// a picture and saved as a BMP file.
#include "Commands.h"

#include "BmpFile.h"
#include "CalendarOption.h"
#include "Choices.h"
#include "ColourText.h"
#include "Compose.h"
#include "DateArgs.h"
#include "DateTime.h"
#include "GridGeometry.h"
#include "MonthGrid.h"
#include "PersianDate.h"
#include "PictureLoader.h"
#include "ProportionsOption.h"
#include "QtCanvas.h"
#include "Settings.h"
#include "WholeNumber.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velnora {

namespace {

struct RenderRequest {
    std::string output;
    std::string source;
    std::optional<PersianYmd> date;
    PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic;
    // The choices in the settings file's terms, drawn as the program draws them.
    Settings settings;
    PictureSize size; // the stretch's size, when stretching
    // Not stretched: the screen that shows the picture, and how.
    PictureSize screen;
    MonitorFit shownAs = MonitorFit::Fill;
};

// Y/M/D naming a day that exists. Unlike the settings file's date text, a
// mistyped date is refused rather than taken for today, and a day past the
// month's end is refused rather than rolled into the next month: the picture
// would silently show another month than the one asked for.
PersianYmd ParseDay(const std::string& text, PersianDate::CalendarRule rule) {
    const std::optional<PersianYmd> date = ParsePersianArg(text);
    if (!date)
        throw Misuse("--date wants Y/M/D, not '" + text + "'");
    try {
        CheckPersianDay(date->year, date->month, date->day, rule);
    } catch (const std::runtime_error& error) {
        throw Misuse("--date " + text + ": " + error.what());
    }
    return *date;
}

// A distance from the corner as the window's spin controls hold it, 0 to 100
// pixels (at 100 %), as text for the drawing: one further out moves the
// calendar off the picture.
std::string ParseDistance(const std::string& text, const std::string& option) {
    const std::string ascii = WithAsciiDigits(CleanArgument(text));
    const std::optional<int32_t> value = TryStrToInt(ascii);
    if (!value || *value < 0 || *value > 100)
        throw Misuse(option + " is a distance from 0 to 100 pixels, not '" + text + "'");
    return ascii;
}

// WIDTHxHEIGHT, each a whole number; the stretch itself refuses sizes it
// cannot make.
PictureSize ParseSize(const std::string& text, const std::string& option) {
    const std::string ascii = WithAsciiDigits(text);
    const std::size_t cross = ascii.find_first_of("xX", 1);
    const auto width =
        cross == std::string::npos ? std::nullopt : TryStrToInt(ascii.substr(0, cross));
    const auto height =
        cross == std::string::npos ? std::nullopt : TryStrToInt(ascii.substr(cross + 1));
    if (!width || !height)
        throw Misuse(option + " wants WIDTHxHEIGHT, not '" + text + "'");
    if (option == "--screen" && (*width < 1 || *height < 1))
        throw Misuse("--screen is a size of at least 1x1, not '" + text + "'");
    return {*width, *height};
}

// How the screen of --screen shows the picture, in the desktops' words.
MonitorFit ParseShownAs(const std::string& text) {
    const std::pair<const char*, MonitorFit> fits[] = {{"zoom", MonitorFit::Fill},
                                                       {"fit", MonitorFit::Fit},
                                                       {"centre", MonitorFit::Centre},
                                                       {"stretch", MonitorFit::Stretch},
                                                       {"top-left", MonitorFit::TopLeft}};
    for (const auto& [name, fit] : fits)
        if (text == name)
            return fit;
    throw Misuse("--shown-as is zoom, fit, centre, stretch or top-left, not '" + text + "'");
}

// The settings file's corner code.
int32_t ParseCorner(const std::string& text) {
    const std::pair<const char*, Corner> corners[] = {{"top-right", Corner::TopRight},
                                                      {"bottom-right", Corner::BottomRight},
                                                      {"bottom-left", Corner::BottomLeft},
                                                      {"top-left", Corner::TopLeft}};
    for (const auto& [name, corner] : corners)
        if (text == name)
            return static_cast<int32_t>(corner);
    throw Misuse("--corner is top-right, bottom-right, bottom-left or top-left, not '" + text +
                 "'");
}

// calendar/scale: "auto" or a whole percentage from 100 to 400, as text.
std::string ParseScale(const std::string& text) {
    if (text == "auto")
        return text;
    const std::optional<int32_t> percent = TryStrToInt(WithAsciiDigits(text));
    if (!percent || *percent < LeastScalePercent || *percent > MostScalePercent)
        throw Misuse("--scale is auto or a percentage from 100 to 400, not '" + text + "'");
    return std::to_string(*percent);
}

// color/outline: "none", "auto" or a colour in decimal.
std::string ParseOutline(const std::string& text) {
    if (text == "none" || text == "auto")
        return text;
    return std::to_string(ParseColour(text, "--outline"));
}

RenderRequest ParseRequest(const CommandLine& line) {
    RenderRequest request;
    request.rule = ChosenRule(line);
    const Args& positional = line.Positional();
    if (positional.empty())
        throw Misuse("render wants an output file");
    if (positional.size() > 1)
        throw Misuse("render: unexpected argument '" + positional[1] + "'");
    request.output = positional[0];
    request.source = line.Value("source").value_or("");
    if (request.source.empty())
        throw Misuse("render wants --source PICTURE");
    // The program's own defaults but two: no stretch unless a size is given,
    // and a scale of 100 %, so that the picture does not depend on the screen
    // of the machine it is drawn on.
    request.settings.stretch = false;
    request.settings.scale = "100";
    request.settings.monthNames = MonthNamingName(ChosenMonthNames(line));
    if (const auto size = line.Value("size")) {
        request.settings.stretch = true;
        request.size = ParseSize(*size, "--size");
    }
    if (const auto screen = line.Value("screen")) {
        if (request.settings.stretch)
            throw Misuse("--screen wants no --size: the picture is stretched or shown, not both");
        request.screen = ParseSize(*screen, "--screen");
    }
    if (const auto shownAs = line.Value("shown-as")) {
        if (!request.screen.width)
            throw Misuse("--shown-as wants --screen");
        request.shownAs = ParseShownAs(*shownAs);
    }
    request.settings.keepProportions = KeepProportions(line, true);
    request.size.keepProportions = request.settings.keepProportions;
    if (line.IsSet("proportions") && !request.settings.stretch)
        throw Misuse("--proportions wants --size");
    if (const auto corner = line.Value("corner"))
        request.settings.position = ParseCorner(*corner);
    // The distances stay texts: the drawing converts them as the window's
    // fields are converted.
    if (const auto dx = line.Value("dx"))
        request.settings.leftRightText = ParseDistance(*dx, "--dx");
    if (const auto dy = line.Value("dy"))
        request.settings.topBottomText = ParseDistance(*dy, "--dy");
    request.settings.previous = !line.IsSet("no-prev");
    request.settings.next = !line.IsSet("no-next");
    if (const auto colour = line.Value("text-colour"))
        request.settings.back = ParseColour(*colour, "--text-colour");
    if (const auto colour = line.Value("today-colour"))
        request.settings.today = ParseColour(*colour, "--today-colour");
    if (const auto colour = line.Value("holiday-colour"))
        request.settings.holiday =
            *colour == "none" ? -1 : ParseColour(*colour, "--holiday-colour");
    if (const auto outline = line.Value("outline"))
        request.settings.outline = ParseOutline(*outline);
    if (const auto scale = line.Value("scale"))
        request.settings.scale = ParseScale(*scale);
    if (const auto dates = line.Value("other-dates")) {
        request.settings.otherDates = *dates;
        if (OtherDatesText(OtherDatesOf(request.settings)) != *dates)
            throw Misuse("--other-dates is none, gregorian or gregorian-lunar, not '" + *dates +
                         "'");
    }
    if (const auto date = line.Value("date"))
        request.date = ParseDay(*date, request.rule);
    return request;
}

// The grids the picture shows, each filled only when shown: the month after
// the last one the platform's date holds cannot be filled.
MonthGrids FillShownGrids(const PersianYmd& today, const RenderRequest& request) {
    const auto fill = [&](MonthGrid& grid, YearMonth month, bool isNext) {
        try {
            FillMonthGrid(grid, month.year, month.month, today.day, request.rule);
        } catch (const std::runtime_error& error) {
            const std::string name = std::string(PersianMonthNamesLatin[month.month - 1]) + " " +
                                     std::to_string(month.year);
            throw std::runtime_error(
                (isNext ? "the next month, " + name + "," : name) + " cannot be shown: it is " +
                AfterRangeMessage(CalendarKind::Persian, request.rule, error.what()) +
                (isNext ? "; leave it out with --no-next" : ""));
        }
        grid.title = MonthTitle(month.year, month.month, MonthNamingOf(request.settings));
    };
    MonthGrids grids;
    grids.now.name = CurrentMonthGridName;
    grids.prev.name = "SGprev";
    grids.next.name = "SGnext";
    fill(grids.now, {today.year, today.month}, false);
    // The month before any month from 1 Farvardin 1 on is still a day count
    // the platform holds.
    if (request.settings.previous)
        fill(grids.prev, PreviousMonth(today.year, today.month), false);
    if (request.settings.next)
        fill(grids.next, NextMonth(today.year, today.month), true);
    return grids;
}

// Refuses a picture that a shown month does not wholly fit: the drawing
// clips whatever lies outside without a word, and the picture would miss days.
void CheckCalendarFits(int width, int height, const CalendarChoices& choices,
                       const RenderRequest& request, const MonthGrids& grids) {
    const CalendarSpot spot = CalendarSpotOn(choices, width, height);
    const Placement place = PlaceCalendarOn(spot.area, choices.placement, spot.scalePercent);
    const GridGeometry geometry = GridGeometryAt(spot.scalePercent);
    // The cells end a title line's height before the slot's right side.
    const int monthWidth = geometry.slot - geometry.titleLine, monthHeight = geometry.slot;
    struct Shown {
        const MonthGrid& grid;
        int x;
    };
    std::vector<Shown> shown;
    if (request.settings.previous)
        shown.push_back({grids.prev, place.xPrev});
    shown.push_back({grids.now, place.xNow});
    if (request.settings.next)
        shown.push_back({grids.next, place.xNext});
    std::string cut;
    size_t outside = 0;
    for (const Shown& month : shown) {
        const bool inside = month.x >= 0 && place.y >= 0 && month.x + monthWidth <= width &&
                            place.y + monthHeight <= height;
        if (inside)
            continue;
        outside += month.x >= width || month.x + monthWidth <= 0 || place.y >= height ||
                   place.y + monthHeight <= 0;
        const std::string& title = month.grid.title;
        cut += std::string(cut.empty() ? "" : ", ") + PersianMonthNamesLatin[month.grid.month - 1] +
               title.substr(title.rfind(' '));
    }
    if (cut.empty())
        return;
    const std::string picture =
        "the " + std::to_string(width) + "x" + std::to_string(height) + " picture";
    throw std::runtime_error((outside == shown.size()
                                  ? "the calendar lies outside " + picture
                                  : "the calendar does not fit " + picture + ": " + cut +
                                        (cut.find(',') == std::string::npos ? " is" : " are") +
                                        " cut off") +
                             " (at scale " + std::to_string(choices.scalePercent) +
                             " %; a smaller --scale, --dx or --dy, or a larger picture, fits it)");
}

int RunRender(const CommandLine& line) {
    // Misuse is reported by main with the usage text, before anything is written.
    const RenderRequest request = ParseRequest(line);

    PersianYmd today{};
    if (request.date)
        today = *request.date;
    else
        PersianDate::DateToPersian(Today(), today.year, today.month, today.day, request.rule);
    const MonthGrids grids = FillShownGrids(today, request);

    const OffscreenGui gui;
    Bitmap picture;
    CalendarChoices choices = PictureChoicesFor(request.settings).calendar;
    const PictureSize desktop = choices.stretch ? request.size : request.screen;
    choices.desktopWidth = desktop.width;
    choices.desktopHeight = desktop.height;
    choices.shownAs = request.shownAs;
    // A drawing is rendered at the size it is stretched to, else at its own.
    LoadSourcePicture(request.source, picture, choices.stretch ? request.size : PictureSize{});
    CheckCalendarFits(choices.stretch ? request.size.width : picture.Width(),
                      choices.stretch ? request.size.height : picture.Height(), choices, request,
                      grids);
    ComposeCalendar(picture, choices, grids, MakeQtCanvas);
    // Written to a temporary file renamed over the output: a failure leaves no
    // half-written picture behind.
    WriteBmpFile(request.output, picture);
    return 0;
}

} // namespace

const Command RenderCommand = {
    "render",
    "Usage: velnora-cli render OUT --source PICTURE [--date Y/M/D]\n"
    "         [--size WxH [--proportions keep|exact]]\n"
    "         [--screen WxH [--shown-as zoom|fit|centre|stretch|top-left]]\n"
    "         [--corner top-right|bottom-right|bottom-left|top-left]\n"
    "         [--dx TEXT] [--dy TEXT] [--no-prev] [--no-next]\n"
    "         [--text-colour C] [--today-colour C] [--holiday-colour C|none]\n"
    "         [--outline none|auto|C] [--scale PERCENT|auto] [--calendar RULE]\n"
    "         [--other-dates none|gregorian|gregorian-lunar]\n"
    "         [--month-names iranian|dari]\n"
    "\n"
    "Draws the calendar onto PICTURE and saves the result as the BMP file OUT,\n"
    "without touching the desktop. A calendar that does not wholly fit the picture\n"
    "is an error, naming the months cut off. On any error no file is written.\n"
    "\n",
    {{{"source"},
      "PICTURE",
      "the picture to draw on (BMP, JPEG, PNG, WebP, TIFF, GIF,\nSVG or a slideshow)"},
     {{"date"}, "Y/M/D", "the Persian day shown as today (default: today)"},
     {{"size"}, "WxH", "stretch the picture to W x H pixels first (default: no\nstretch)"},
     ProportionsOption("keep"),
     {{"screen"},
      "WxH",
      "instead of stretching, draw for a W x H screen that shows\n"
      "the picture as --shown-as says: the calendar goes where the\n"
      "screen shows it, sized to be seen at its size there"},
     {{"shown-as"},
      "LAYOUT",
      "zoom (default: cover the screen, cropped), fit, centre,\n"
      "stretch or top-left (unscaled, from the corner)"},
     {{"corner"}, "CORNER", "where the calendar goes (default: top-right)"},
     {{"dx"}, "TEXT"},
     {{"dy"},
      "TEXT",
      "distance from the corner, 0 to 100 pixels: decimal, or\n"
      "hex after $ or 0x (default: 30 and 30)"},
     {{"no-prev"}},
     {{"no-next"}, nullptr, "leave out the previous or the next month"},
     {{"text-colour"}, "C", "the calendar's text (default: black)"},
     {{"today-colour"}, "C", "today's day and its frame (default: red)"},
     {{"holiday-colour"},
      "C|none",
      "Fridays and the official holidays, solar and lunar\n(default: none, as the text)"},
     {{"outline"},
      "none|auto|C",
      "an outline around the text: none (default), auto (black or\n"
      "white, whichever stands out) or a colour"},
     {{"scale"},
      "PERCENT|auto",
      "the calendar's size, 100 to 400 percent, or auto for the\n"
      "desktop's scale factor (default: 100)"},
     {{"other-dates"},
      "none|gregorian|gregorian-lunar",
      "the Gregorian day (and the lunar day) in small print in\n"
      "each cell, their months under the title (default: none)"},
     CalendarRuleOption,
     MonthNamesOption},
    RunRender,
    "\n"
    "A colour C is a 0x00BBGGRR number (decimal, or hex after $ or 0x: 255 and\n"
    "0x0000FF are red), #rrggbb (#ff0000), or one of the names black, white, red,\n"
    "green, blue, yellow, cyan, magenta, gray (grey), orange, purple, brown, navy,\n"
    "silver (as CSS names them: green is #008000).\n",
};

}  // namespace velnora
