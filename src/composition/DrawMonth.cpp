// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"

namespace {

// The grids' font: the face the calendar was designed with, 22 pixels of
// character cell height (ascent + descent), bold.
const char* const GridFontFace = "v_Mitra";
constexpr int GridFontHeight = 22;

// Grid geometry at 96 dots per inch: 23-pixel cells with 1-pixel lines between
// them, below a title line of 23 pixels.
constexpr int CellSize = 23;
constexpr int CellPitch = CellSize + 1;
constexpr int TitleLine = 23;
constexpr int GridSide = 7;
// Today's frame: a rounded rectangle whose corner ellipse is 20 x 20 pixels.
constexpr int FrameCorner = 20;

struct CellRect {
    int left, top, right, bottom; // right and bottom exclusive
};

CellRect CellRectangle(int column, int row) {
    return {CellPitch * column, CellPitch * row, CellPitch * column + CellSize,
            CellPitch * row + CellSize};
}

} // namespace

void DrawMonth(Canvas& canvas, const MonthGrid& grid, int x, int y, uint32_t textColour,
               uint32_t todayColour) {
    canvas.SetFont(GridFontFace, GridFontHeight, true);
    // The neighbours' current cells are where today's day number would be and
    // are never shown.
    const bool marksToday = grid.name == CurrentMonthGridName;

    // Column by column from the left, top to bottom within a column, as the
    // grid control paints its cells.
    for (int column = 0; column < GridSide; ++column) {
        for (int row = 0; row < GridSide; ++row) {
            const CellRect cell = CellRectangle(column, row);
            const bool isToday =
                marksToday && column == grid.currentColumn && row == grid.currentRow;
            const std::string& text = grid.cells[column][row];
            if (text.empty() && !isToday)
                continue;
            const TextSize size = text.empty() ? TextSize{} : canvas.MeasureText(text);
            // Integer division truncates toward zero: a text wider than its cell
            // moves left by half the excess, rounded toward zero.
            const int tx = x + cell.left + (cell.right - cell.left - size.width) / 2;
            const int ty = y + TitleLine + cell.top + (cell.bottom - cell.top - size.height) / 2;
            if (isToday) {
                if (!text.empty())
                    canvas.DrawText(tx, ty, text, todayColour);
                canvas.RoundRect(x + cell.left, y + TitleLine + cell.top, x + cell.right,
                                 y + TitleLine + cell.bottom, FrameCorner, FrameCorner,
                                 todayColour);
            } else {
                canvas.DrawText(tx, ty, text, textColour);
            }
        }
    }

    // The title box is seven cell widths without the lines between them (161
    // pixels), so the title is centred over the first 161 of the 167 pixels of cells.
    if (grid.title.empty())
        return;
    const int titleBox = GridSide * CellSize;
    const TextSize size = canvas.MeasureText(grid.title);
    canvas.DrawText(x + (titleBox - size.width) / 2, y, grid.title, textColour);
}
