// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t TextColour = 0x00112233;
constexpr uint32_t TodayColour = 0x000000FF;

// Month 1 of 1389 as the month grid holds it, day 1 on a Sunday (column 5),
// today the 15th in column 5, row 3. Weekday initials in Windows-1256.
MonthGrid Farvardin1389(const std::string& name) {
    MonthGrid grid;
    grid.name = name;
    const char* const initials[7] = {"\xCC", "\x81", "\x8D", "\xD3", "\xCF", "\xED", "\xD4"};
    for (int column = 0; column < 7; ++column)
        grid.cells[column][0] = initials[column];
    int column = 5, row = 1;
    for (int day = 1; day <= 31; ++day) {
        grid.cells[column][row] = std::to_string(day);
        if (--column < 0) {
            column = 6;
            ++row;
        }
    }
    grid.currentColumn = 5;
    grid.currentRow = 3;
    grid.title = "\xDD\xD1\xE6\xD1\xCF\xED\xE4 1389";
    return grid;
}

struct Drawn {
    std::vector<CanvasCall> calls;
    std::vector<CanvasCall> texts;
    std::vector<CanvasCall> frames;
};

Drawn Draw(const MonthGrid& grid, int x, int y, const std::map<std::string, TextSize>& sizes = {}) {
    Drawn drawn;
    RecordingCanvas canvas(drawn.calls);
    canvas.sizes = sizes;
    CalendarChoices choices;
    choices.textColour = TextColour;
    choices.todayColour = TodayColour;
    DrawMonth(canvas, grid, x, y, choices);
    drawn.texts = CallsOfKind(drawn.calls, CanvasCall::Text);
    drawn.frames = CallsOfKind(drawn.calls, CanvasCall::Frame);
    return drawn;
}

const CanvasCall* TextAt(const Drawn& drawn, const std::string& text) {
    for (const CanvasCall& call : drawn.texts)
        if (call.text == text)
            return &call;
    return nullptr;
}

TEST(DrawMonth, SetsTheGridFontFirst) {
    const Drawn drawn = Draw(Farvardin1389("StringGrid1"), 614, 30);
    ASSERT_FALSE(drawn.calls.empty());
    EXPECT_EQ(drawn.calls[0].kind, CanvasCall::Font);
    EXPECT_EQ(drawn.calls[0].text, "v_Mitra");
    EXPECT_EQ(drawn.calls[0].cellHeight, 22);
    EXPECT_TRUE(drawn.calls[0].bold);
}

// The worked example: the current month at (614, 30), today's 15 is 13 pixels
// wide and 22 high.
TEST(DrawMonth, TodaysTextAndFrameInTheCurrentMonth) {
    const Drawn drawn = Draw(Farvardin1389("StringGrid1"), 614, 30, {{"15", {13, 22}}});
    const CanvasCall* today = TextAt(drawn, "15");
    ASSERT_NE(today, nullptr);
    EXPECT_EQ(today->x, 739);
    EXPECT_EQ(today->y, 125);
    EXPECT_EQ(today->colour, TodayColour);
    ASSERT_EQ(drawn.frames.size(), 1u);
    const CanvasCall& frame = drawn.frames[0];
    EXPECT_EQ(frame.x, 734);
    EXPECT_EQ(frame.y, 125);
    EXPECT_EQ(frame.right, 757);
    EXPECT_EQ(frame.bottom, 148);
    EXPECT_EQ(frame.ellipseWidth, 20);
    EXPECT_EQ(frame.ellipseHeight, 20);
    EXPECT_EQ(frame.colour, TodayColour);
    // Every other text is in the text colour.
    for (const CanvasCall& call : drawn.texts) {
        if (call.text != "15") {
            EXPECT_EQ(call.colour, TextColour) << call.text;
        }
    }
}

TEST(DrawMonth, NeighbourGridsAreNeverFramed) {
    for (const char* name : {"SGprev", "SGnext"}) {
        SCOPED_TRACE(name);
        const Drawn drawn = Draw(Farvardin1389(name), 220, 30);
        EXPECT_TRUE(drawn.frames.empty());
        for (const CanvasCall& call : drawn.texts)
            EXPECT_EQ(call.colour, TextColour) << call.text;
    }
}

// The seven-pixel-a-byte metric: one digit is 7 wide, two are 14, a weekday
// initial 7; every text is 22 high, one pixel less than its cell.
TEST(DrawMonth, CellTextsAreCentredInTheirCells) {
    struct {
        const char* text;
        int column, row;
    } const cells[] = {
        {"\xCC", 0, 0}, {"\xD4", 6, 0}, {"1", 5, 1},  {"6", 0, 1},
        {"7", 6, 2},    {"15", 5, 3},   {"31", 3, 5}, {"28", 6, 5},
    };
    const int x = 614, y = 30;
    const Drawn drawn = Draw(Farvardin1389("SGnext"), x, y);
    for (const auto& cell : cells) {
        SCOPED_TRACE(cell.text);
        const CanvasCall* call = TextAt(drawn, cell.text);
        ASSERT_NE(call, nullptr);
        const int width = 7 * static_cast<int>(std::string(cell.text).size());
        EXPECT_EQ(call->x, x + 24 * cell.column + (23 - width) / 2);
        EXPECT_EQ(call->y, y + 23 + 24 * cell.row);
    }
    EXPECT_EQ(TextAt(drawn, "1")->x, 614 + 120 + 8);
    EXPECT_EQ(TextAt(drawn, "31")->x, 614 + 72 + 4);
}

// Too wide or too tall a text moves left or up by half the excess, the half
// rounded toward zero.
TEST(DrawMonth, OversizedTextsMoveByHalfTheExcessTowardZero) {
    const Drawn drawn =
        Draw(Farvardin1389("SGprev"), 0, 0, {{"20", {28, 22}}, {"21", {24, 25}}, {"22", {23, 23}}});
    // 20 sits in column 0, row 3; 21 in column 6, row 4; 22 in column 5, row 4.
    EXPECT_EQ(TextAt(drawn, "20")->x, -2); // (23 - 28) / 2, not -3
    EXPECT_EQ(TextAt(drawn, "21")->x, 144 + 0);
    EXPECT_EQ(TextAt(drawn, "21")->y, 23 + 96 - 1);
    EXPECT_EQ(TextAt(drawn, "22")->x, 120);
    EXPECT_EQ(TextAt(drawn, "22")->y, 23 + 96);
}

TEST(DrawMonth, ColumnByColumnAndEmptyCellsDrawNothing) {
    const MonthGrid grid = Farvardin1389("StringGrid1");
    const Drawn drawn = Draw(grid, 10, 10);
    std::vector<std::string> expected;
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 7; ++row)
            if (!grid.cells[column][row].empty())
                expected.push_back(grid.cells[column][row]);
    expected.push_back(grid.title);
    std::vector<std::string> texts;
    for (const CanvasCall& call : drawn.texts)
        texts.push_back(call.text);
    EXPECT_EQ(texts, expected);
    // Seven initials, 31 days and the title; nothing measured twice.
    EXPECT_EQ(drawn.texts.size(), 7u + 31u + 1u);
    EXPECT_EQ(CallsOfKind(drawn.calls, CanvasCall::Measure).size(), drawn.texts.size());
}

TEST(DrawMonth, TitleIsCentredOver161Pixels) {
    struct {
        int width;
        int x;
        int expected;
    } const cases[] = {
        {120, 614, 634}, {170, 614, 610}, {161, 614, 614}, {0, 614, 694},
        {171, -50, -55}, {172, -50, -55}, {10, -50, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        MonthGrid grid = Farvardin1389("StringGrid1");
        const Drawn drawn = Draw(grid, c.x, 30, {{grid.title, {c.width, 22}}});
        ASSERT_EQ(drawn.texts.back().text, grid.title);
        EXPECT_EQ(drawn.texts.back().x, c.expected);
        EXPECT_EQ(drawn.texts.back().y, 30);
        EXPECT_EQ(drawn.texts.back().colour, TextColour);
    }
}

TEST(DrawMonth, AnEmptyGridDrawsNothingButItsFrame) {
    MonthGrid grid;
    grid.name = "StringGrid1";
    grid.currentColumn = 2;
    grid.currentRow = 4;
    const Drawn drawn = Draw(grid, 0, 0);
    EXPECT_TRUE(drawn.texts.empty());
    ASSERT_EQ(drawn.frames.size(), 1u);
    EXPECT_EQ(drawn.frames[0].x, 48);
    EXPECT_EQ(drawn.frames[0].y, 23 + 96);
}

} // namespace
