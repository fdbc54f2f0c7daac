// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"
#include "GridGeometry.h"
#include "SolarHolidays.h"

#include <charconv>
#include <cmath>

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
    void Text(int x, int y, const std::string& text, uint32_t colour) {
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

} // namespace

double RelativeLuminance(uint32_t colour) {
    const auto linear = [](uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear((colour >> 16) & 0xFF);
}

std::optional<uint32_t> OutlineColourFor(const TextOutline& outline, uint32_t textColour) {
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
    return lighter * lighter > 0.05 * 1.05 ? 0x000000u : 0xFFFFFFu;
}

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
            const TextSize size = text.empty() ? TextSize{} : canvas.MeasureText(text);
            // Integer division truncates toward zero: a text wider than its cell
            // moves left by half the excess, rounded toward zero.
            const int tx = x + cell.left + (cell.right - cell.left - size.width) / 2;
            const int ty =
                y + geometry.titleLine + cell.top + (cell.bottom - cell.top - size.height) / 2;
            if (isToday) {
                if (!text.empty())
                    painter.Text(tx, ty, text, choices.todayColour);
                canvas.RoundRect(x + cell.left, y + geometry.titleLine + cell.top, x + cell.right,
                                 y + geometry.titleLine + cell.bottom, geometry.frameCorner,
                                 geometry.frameCorner, choices.todayColour, geometry.line);
                continue;
            }
            // Friday's column (its initial too) and the fixed holidays.
            const bool holiday =
                column == FridayColumn ||
                IsFixedSolarHoliday(grid.month, static_cast<uint16_t>(DayOf(text)));
            painter.Text(tx, ty, text,
                         holiday && choices.holidayColour ? *choices.holidayColour
                                                          : choices.textColour);
        }
    }

    // The title box is seven cell widths without the lines between them (161
    // pixels at 100 %), so the title is centred over the first 161 of the 167
    // pixels of cells.
    if (grid.title.empty())
        return;
    const int titleBox = GridSide * (cell.right - cell.left);
    const TextSize size = canvas.MeasureText(grid.title);
    painter.Text(x + (titleBox - size.width) / 2, y, grid.title, choices.textColour);
}
