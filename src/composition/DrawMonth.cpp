// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"
#include "GridGeometry.h"
#include "Holidays.h"
#include "OtherDates.h"
#include "SolarHolidays.h"

#include <charconv>
#include <cmath>

namespace velnora {

namespace {

// The grids' font: the face the calendar was designed with, bold.
const char* const GridFontFace = "v_Mitra";
constexpr int GridSide = 7;
// The column of Friday: the week runs right to left from Saturday in column 6.
constexpr int FridayColumn = 0;

struct CellRect {
    int left, top, right, bottom; // right and bottom exclusive
};

CellRect CellRectangle(const GridGeometry& geometry, int column, int row) {
    return {geometry.pitch * column, geometry.pitch * row, geometry.pitch * column + geometry.cell,
            geometry.pitch * row + geometry.cell};
}

// The day number a cell shows, or 0 for a weekday initial or an empty cell.
int DayOf(const std::string& text) {
    int day = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), day);
    return error == std::errc() && end == text.data() + text.size() ? day : 0;
}

class MonthPainter {
  public:
    MonthPainter(Canvas& canvas, const CalendarChoices& choices)
        : canvas_(canvas), choices_(choices), line_(GridGeometryAt(choices.scalePercent).line) {}

    // The text with its halo first, when there is one: the text drawn in the
    // halo's colour at every offset up to one line's width, then on top.
    void Text(int x, int y, const std::string& text, Colour colour) {
        if (const auto halo = OutlineColourFor(choices_.outline, colour))
            for (int dy = -line_; dy <= line_; ++dy)
                for (int dx = -line_; dx <= line_; ++dx)
                    if (dx != 0 || dy != 0)
                        canvas_.DrawTextAt(x + dx, y + dy, text, *halo);
        canvas_.DrawTextAt(x, y, text, colour);
    }

  private:
    Canvas& canvas_;
    const CalendarChoices& choices_;
    int line_;
};

// The day's holidays: every official one when the grid knows its year, else
// the fixed solar ones.
bool IsHolidayIn(const MonthGrid& grid, int day) {
    if (day == 0)
        return false;
    if (grid.year == 0)
        return IsFixedSolarHoliday(grid.month, static_cast<uint16_t>(day));
    return !HolidaysOn(grid.year, grid.month, static_cast<uint16_t>(day), grid.rule).empty();
}

// With the other dates shown, a day's cell holds its number in a smaller font
// at the top and the other dates under it; the title line holds the title in
// the same smaller font and the other calendars' months under it. At 100 %:
// 13 pixels of number above 10 of small print, in the 23 of a cell: smaller
// print is not legible at 100 %.
constexpr int DayNumberHeight = 13;

struct OtherDatesPrint {
    int numberHeight; // character cell of the day numbers and the title
    int smallHeight;  // character cell of the small print
};

OtherDatesPrint OtherDatesPrintAt(const GridGeometry& geometry, int scalePercent) {
    const int number = static_cast<int>(Scaled(DayNumberHeight, scalePercent));
    return {number, geometry.cell - number};
}

} // namespace

double RelativeLuminance(Colour colour) {
    const auto linear = [](uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.Red()) + 0.7152 * linear(colour.Green()) +
           0.0722 * linear(colour.Blue());
}

std::optional<Colour> OutlineColourFor(const TextOutline& outline, Colour textColour) {
    switch (outline.kind) {
    case TextOutline::Kind::None:
        return std::nullopt;
    case TextOutline::Kind::Colour:
        return outline.colour;
    case TextOutline::Kind::Auto:
        break;
    }
    // The contrast ratios (L1 + 0.05) / (L2 + 0.05) against black and white
    // compare as the text's luminance plus 0.05 squared against 0.05 x 1.05.
    const double lighter = RelativeLuminance(textColour) + 0.05;
    return lighter * lighter > 0.05 * 1.05 ? Colour{0x000000} : Colour{0xFFFFFF};
}

namespace {

// Centred in the box from left to right, top at y.
void Centred(Canvas& canvas, MonthPainter& painter, int left, int right, int y,
             const std::string& text, Colour colour) {
    painter.Text(left + (right - left - canvas.MeasureText(text).width) / 2, y, text, colour);
}

// The day's number at the top of its cell, the Gregorian day under it (on
// the left, with the lunar day on the right when both are shown).
void DrawDayWithOtherDates(Canvas& canvas, MonthPainter& painter, const MonthGrid& grid, int day,
                           CellRect cell, OtherDatesPrint print, Colour colour,
                           const CalendarChoices& choices) {
    const int width = cell.right - cell.left;
    canvas.SetFont(GridFontFace, print.numberHeight, true, width);
    Centred(canvas, painter, cell.left, cell.right, cell.top, std::to_string(day), colour);
    const OtherDayNumbers other =
        OtherDayNumbersOf(grid.year, grid.month, static_cast<uint16_t>(day), grid.rule);
    const int below = cell.top + print.numberHeight;
    if (choices.otherDates == OtherDates::Gregorian) {
        canvas.SetFont(GridFontFace, print.smallHeight, true, width);
        Centred(canvas, painter, cell.left, cell.right, below, other.gregorian, colour);
        return;
    }
    const int middle = cell.left + width / 2;
    canvas.SetFont(GridFontFace, print.smallHeight, true, width / 2);
    Centred(canvas, painter, cell.left, middle, below, other.gregorian, colour);
    Centred(canvas, painter, middle, cell.right, below, other.lunar, colour);
}

// The title in the day numbers' font, and under it the Gregorian months the
// grid runs through (then the lunar ones) in small print.
void DrawTitleWithOtherMonths(Canvas& canvas, MonthPainter& painter, const MonthGrid& grid, int x,
                              int y, int titleBox, OtherDatesPrint print,
                              const CalendarChoices& choices) {
    canvas.SetFont(GridFontFace, print.numberHeight, true, titleBox);
    Centred(canvas, painter, x, x + titleBox, y, grid.title, choices.textColour);
    std::string months = GregorianMonthsOf(grid.year, grid.month, grid.rule);
    if (choices.otherDates == OtherDates::GregorianAndLunar)
        months += " / " + LunarMonthsOf(grid.year, grid.month, grid.rule);
    canvas.SetFont(GridFontFace, print.smallHeight, true, titleBox);
    Centred(canvas, painter, x, x + titleBox, y + print.numberHeight, months, choices.textColour);
}

} // namespace

void DrawMonth(Canvas& canvas, const MonthGrid& grid, int x, int y,
               const CalendarChoices& choices) {
    const GridGeometry geometry = GridGeometryAt(choices.scalePercent);
    // Two-digit day numbers fit their cell, so neighbouring numbers keep the
    // grid's line between them.
    canvas.SetFont(GridFontFace, geometry.fontHeight, true, geometry.cell);
    MonthPainter painter(canvas, choices);
    // The neighbours' current cells are where today's day number would be and
    // are never shown.
    const bool marksToday = grid.name == CurrentMonthGridName;
    const bool otherDates = choices.otherDates != OtherDates::None && grid.year != 0;
    const OtherDatesPrint print = OtherDatesPrintAt(geometry, choices.scalePercent);

    // Column by column from the left, top to bottom within a column, as the
    // grid control paints its cells.
    CellRect cell{};
    for (int column = 0; column < GridSide; ++column) {
        for (int row = 0; row < GridSide; ++row) {
            cell = CellRectangle(geometry, column, row);
            const bool isToday =
                marksToday && column == grid.currentColumn && row == grid.currentRow;
            const std::string& text = grid.cells[column][row];
            if (text.empty() && !isToday)
                continue;
            const int day = DayOf(text);
            // Friday's column (its initial too) and the official holidays.
            const bool holiday = column == FridayColumn || IsHolidayIn(grid, day);
            const Colour colour =
                holiday && choices.holidayColour ? *choices.holidayColour : choices.textColour;
            // A day's number with the other dates is drawn smaller, at its top.
            const bool withOtherDates = otherDates && day != 0;
            if (withOtherDates) {
                DrawDayWithOtherDates(canvas, painter, grid, day,
                                      {x + cell.left, y + geometry.titleLine + cell.top,
                                       x + cell.right, y + geometry.titleLine + cell.bottom},
                                      print, isToday ? choices.todayColour : colour, choices);
                canvas.SetFont(GridFontFace, geometry.fontHeight, true, geometry.cell);
            }
            const TextSize size = text.empty() ? TextSize{} : canvas.MeasureText(text);
            // Integer division truncates toward zero: a text wider than its cell
            // moves left by half the excess, rounded toward zero.
            const int tx = x + cell.left + (cell.right - cell.left - size.width) / 2;
            const int ty =
                y + geometry.titleLine + cell.top + (cell.bottom - cell.top - size.height) / 2;
            if (isToday) {
                if (!text.empty() && !withOtherDates)
                    painter.Text(tx, ty, text, choices.todayColour);
                canvas.RoundRect(x + cell.left, y + geometry.titleLine + cell.top, x + cell.right,
                                 y + geometry.titleLine + cell.bottom, geometry.frameCorner,
                                 geometry.frameCorner, choices.todayColour, geometry.line);
                continue;
            }
            if (!withOtherDates)
                painter.Text(tx, ty, text, colour);
        }
    }

    // The title box is seven cell widths without the lines between them (161
    // pixels at 100 %), so the title is centred over the first 161 of the 167
    // pixels of cells.
    if (grid.title.empty())
        return;
    const int titleBox = GridSide * (cell.right - cell.left);
    if (otherDates) {
        DrawTitleWithOtherMonths(canvas, painter, grid, x, y, titleBox, print, choices);
        return;
    }
    const TextSize size = canvas.MeasureText(grid.title);
    painter.Text(x + (titleBox - size.width) / 2, y, grid.title, choices.textColour);
}

}  // namespace velnora
