// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace velnora;

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
    grid.month = 1;
    return grid;
}

struct Drawn {
    std::vector<CanvasCall> calls;
    std::vector<CanvasCall> texts;
    std::vector<CanvasCall> frames;
};

CalendarChoices Colours() {
    CalendarChoices choices;
    choices.textColour = Colour{TextColour};
    choices.todayColour = Colour{TodayColour};
    return choices;
}

Drawn Draw(const MonthGrid& grid, int x, int y, const std::map<std::string, TextSize>& sizes = {},
           const CalendarChoices& choices = Colours()) {
    Drawn drawn;
    RecordingCanvas canvas(drawn.calls);
    canvas.sizes = sizes;
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
    EXPECT_EQ(drawn.calls[0].numberWidth, 23);
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
    EXPECT_EQ(frame.penWidth, 1);
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

// Every length scales: the font, the widest number, the cells, the title line,
// the frame with its corners and pen. Today's 15 (column 5, row 3) measures
// as the canvas says (13 x 22 here, as at 100 %).
TEST(DrawMonth, EveryLengthScales) {
    struct {
        int percent;
        int fontHeight, numberWidth;
        int frameLeft, frameTop, frameRight, frameBottom, corner, pen;
        int textX, textY, titleX;
    } const cases[] = {
        {100, 22, 23, 120, 95, 143, 118, 20, 1, 125, 95, 40},
        {150, 33, 35, 180, 143, 215, 178, 30, 2, 191, 149, 82},
        {200, 44, 46, 240, 190, 286, 236, 40, 2, 256, 202, 120},
        {400, 88, 92, 480, 380, 572, 472, 80, 4, 519, 415, 281},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        CalendarChoices choices = Colours();
        choices.scalePercent = c.percent;
        const MonthGrid grid = Farvardin1389("StringGrid1");
        const Drawn drawn = Draw(grid, 0, 0, {{"15", {13, 22}}, {grid.title, {81, 22}}}, choices);
        EXPECT_EQ(drawn.calls[0].cellHeight, c.fontHeight);
        EXPECT_EQ(drawn.calls[0].numberWidth, c.numberWidth);
        ASSERT_EQ(drawn.frames.size(), 1u);
        const CanvasCall& frame = drawn.frames[0];
        EXPECT_EQ(frame.x, c.frameLeft);
        EXPECT_EQ(frame.y, c.frameTop);
        EXPECT_EQ(frame.right, c.frameRight);
        EXPECT_EQ(frame.bottom, c.frameBottom);
        EXPECT_EQ(frame.ellipseWidth, c.corner);
        EXPECT_EQ(frame.ellipseHeight, c.corner);
        EXPECT_EQ(frame.penWidth, c.pen);
        EXPECT_EQ(TextAt(drawn, "15")->x, c.textX);
        EXPECT_EQ(TextAt(drawn, "15")->y, c.textY);
        EXPECT_EQ(drawn.texts.back().x, c.titleX);
    }
}

// Farvardin 1389: day 1 is a Sunday, so the Fridays are 6, 13, 20 and 27, in
// column 0 under the initial "\xCC". Holidays: 1 to 4, 12 and 13.
TEST(DrawMonth, FridaysAndFixedHolidaysInTheHolidayColour) {
    constexpr uint32_t Holiday = 0x0000C000;
    const std::set<std::string> holidays = {"\xCC", "6", "13", "20", "27",
                                            "1",    "2", "3",  "4",  "12"};
    CalendarChoices choices = Colours();
    choices.holidayColour = Colour{Holiday};
    for (int today : {15, 13}) {
        SCOPED_TRACE(today);
        MonthGrid grid = Farvardin1389("StringGrid1");
        // 13 is column 0, row 2: today's colour wins over the holiday's.
        if (today == 13) {
            grid.currentColumn = 0;
            grid.currentRow = 2;
        }
        for (const CanvasCall& call : Draw(grid, 0, 0, {}, choices).texts) {
            const uint32_t expected = call.text == std::to_string(today) ? TodayColour
                                      : holidays.count(call.text)        ? Holiday
                                                                         : TextColour;
            EXPECT_EQ(call.colour, expected) << call.text;
        }
    }
    // Another month's holidays are other days; with no holiday colour there
    // are none.
    MonthGrid khordad = Farvardin1389("SGnext");
    khordad.month = 3;
    const std::set<std::string> inKhordad = {"\xCC", "6", "13", "20", "27", "14", "15"};
    for (const CanvasCall& call : Draw(khordad, 0, 0, {}, choices).texts)
        EXPECT_EQ(call.colour, inKhordad.count(call.text) ? Holiday : TextColour) << call.text;
    for (const CanvasCall& call : Draw(khordad, 0, 0).texts)
        EXPECT_EQ(call.colour, TextColour) << call.text;
}

// The halo: each text first in the halo's colour at every offset within one
// line's width, then itself on top, where it would be without a halo.
TEST(DrawMonth, TheOutlineDrawsEachTextAroundItself) {
    for (int percent : {100, 200}) {
        SCOPED_TRACE(percent);
        const int reach = percent / 100;
        CalendarChoices choices = Colours();
        choices.scalePercent = percent;
        choices.outline = {TextOutline::Kind::Colour, Colour{0x00ABCDEF}};
        const MonthGrid grid = Farvardin1389("StringGrid1");
        const Drawn plain = Draw(grid, 10, 20, {}, [&] {
            CalendarChoices none = choices;
            none.outline = {};
            return none;
        }());
        const Drawn haloed = Draw(grid, 10, 20, {}, choices);
        const std::size_t copies = (2 * reach + 1) * (2 * reach + 1);
        ASSERT_EQ(haloed.texts.size(), plain.texts.size() * copies);
        for (std::size_t i = 0; i < plain.texts.size(); ++i) {
            const CanvasCall& text = plain.texts[i];
            std::set<std::pair<int, int>> offsets;
            for (std::size_t k = 0; k + 1 < copies; ++k) {
                const CanvasCall& halo = haloed.texts[i * copies + k];
                EXPECT_EQ(halo.text, text.text);
                EXPECT_EQ(halo.colour, 0x00ABCDEFu);
                offsets.insert({halo.x - text.x, halo.y - text.y});
            }
            EXPECT_EQ(offsets.size(), copies - 1);
            for (const auto& [dx, dy] : offsets)
                EXPECT_TRUE(std::abs(dx) <= reach && std::abs(dy) <= reach && (dx || dy));
            const CanvasCall& top = haloed.texts[i * copies + copies - 1];
            EXPECT_EQ(top.x, text.x);
            EXPECT_EQ(top.y, text.y);
            EXPECT_EQ(top.colour, text.colour);
        }
    }
}

TEST(OutlineColourFor, AutoContrastsWithTheText) {
    constexpr Colour Black{0x000000}, White{0xFFFFFF};
    constexpr TextOutline Auto{TextOutline::Kind::Auto, {}};
    struct {
        TextOutline outline;
        Colour text;
        std::optional<Colour> halo;
    } const cases[] = {
        {{}, Black, std::nullopt},
        {{TextOutline::Kind::Colour, {0x123456}}, Black, Colour{0x123456}},
        {Auto, Black, White},
        {Auto, White, Black},
        {Auto, Colour::FromRgb(0xFF0000), Black}, // red
        {Auto, Colour::FromRgb(0xFFFF00), Black}, // yellow
        {Auto, Colour::FromRgb(0x000080), White}, // navy
        {Auto, Colour{0x808080}, Black},          // grey
        {Auto, Colour{0x595959}, White},          // dark grey
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutlineColourFor(c.outline, c.text), c.halo) << std::hex << c.text.value;
}

} // namespace

namespace {

// Tir 1405 in Iran's calendar: Tasua and Ashura on 3 and 4 Tir (9 and 10
// Muharram 1448), a Wednesday and a Thursday. With the other dates, 1 Tir
// (22 June 2026, 7 Muharram) shows 22 and 7 in small print below its number.
TEST(DrawMonth, LunarHolidaysAndTheOtherDatesOfEachDay) {
    constexpr uint32_t Holiday = 0x0000C000;
    MonthGrid grid;
    grid.name = "SGnext";
    FillMonthGrid(grid, 1405, 4, 1, CalendarRule::Official);
    CalendarChoices choices = Colours();
    choices.holidayColour = Colour{Holiday};
    const Drawn plain = Draw(grid, 0, 0, {}, choices);
    for (const auto& [day, colour] : {std::pair{"2", TextColour}, {"3", Holiday}, {"4", Holiday}})
        EXPECT_EQ(TextAt(plain, day)->colour, colour) << day;

    choices.otherDates = OtherDates::GregorianAndLunar;
    grid.title = MonthTitle(1405, 4);
    const Drawn other = Draw(grid, 0, 0, {}, choices);
    // 1 Tir is a Monday: column 4, row 1, the cell from (96, 47) to (119, 70).
    const auto inCell = [&](const char* text, int fromY) {
        return std::any_of(other.texts.begin(), other.texts.end(), [&](const CanvasCall& c) {
            return c.text == text && c.x > 90 && c.x < 119 && c.y >= fromY && c.y < 70;
        });
    };
    EXPECT_TRUE(inCell("1", 47));
    EXPECT_TRUE(inCell("22", 48));
    EXPECT_TRUE(inCell("7", 48));
    EXPECT_NE(TextAt(other, "\x8E\xE6\xC6\xE4 - \x8E\xE6\xC6\xED\xE5 2026 / "
                            "\xE3\xCD\xD1\xE3 - \xD5\xDD\xD1 1448"),
              nullptr)
        << "June - July 2026 / Muharram - Safar 1448 under the title";
}

} // namespace
