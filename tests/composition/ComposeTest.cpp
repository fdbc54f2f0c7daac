// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"
#include "../support/ExpectMessage.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace velnora;

namespace {

// Every grid has one day, 9, in column 3, row 2, which is its current cell.
MonthGrid Grid(std::string name, std::string title) {
    MonthGrid grid;
    grid.name = std::move(name);
    grid.title = std::move(title);
    grid.cells[3][2] = std::string("9");
    grid.currentColumn = 3;
    grid.currentRow = 2;
    return grid;
}

MonthGrids Grids() {
    return {Grid("SGprev", "prev"), Grid("StringGrid1", "now"), Grid("SGnext", "next")};
}

struct Composed {
    std::vector<CanvasCall> calls;
    int canvasesMade = 0;
    int canvasWidth = 0, canvasHeight = 0;
};

// The factory records the size of the bitmap the canvas is made on.
void ComposeInto(Composed& composed, Bitmap& bitmap, const CalendarChoices& choices) {
    ComposeCalendar(bitmap, choices, Grids(), [&](Bitmap& target) -> std::unique_ptr<Canvas> {
        ++composed.canvasesMade;
        composed.canvasWidth = target.Width();
        composed.canvasHeight = target.Height();
        return std::make_unique<RecordingCanvas>(composed.calls);
    });
}

Composed Compose(Bitmap& bitmap, const CalendarChoices& choices) {
    Composed composed;
    ComposeInto(composed, bitmap, choices);
    return composed;
}

// The titles drawn, in order, with the x and y of their slots: a four-letter
// title at seven pixels a letter starts (161 - 28) / 2 = 66 into its slot.
std::vector<std::string> TitlesAndSlots(const Composed& composed) {
    std::vector<std::string> found;
    for (const CanvasCall& call : CallsOfKind(composed.calls, CanvasCall::Text))
        if (call.text.size() > 1)
            found.push_back(call.text + "@" +
                            std::to_string(call.x - (161 - 7 * int(call.text.size())) / 2) + "," +
                            std::to_string(call.y));
    return found;
}

CalendarChoices NoStretch() {
    CalendarChoices choices;
    choices.stretch = false;
    return choices;
}

TEST(ComposeCalendar, DrawsPreviousThenCurrentThenNext) {
    Bitmap bitmap(1024, 768);
    const Composed composed = Compose(bitmap, NoStretch());
    EXPECT_EQ(composed.canvasesMade, 1);
    EXPECT_EQ(TitlesAndSlots(composed),
              (std::vector<std::string>{"prev@804,30", "now@614,30", "next@424,30"}));
    // Only the current month's day carries a frame.
    const auto frames = CallsOfKind(composed.calls, CanvasCall::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].x, 614 + 72);
}

TEST(ComposeCalendar, HiddenMonthsAreNotDrawn) {
    struct {
        bool showPrev, showNext;
        Corner corner;
        std::vector<std::string> titles;
    } const cases[] = {
        {false, true, Corner::TopRight, {"now@804,30", "next@614,30"}},
        {true, false, Corner::BottomLeft, {"prev@220,548", "now@30,548"}},
        {false, false, Corner::BottomRight, {"now@804,548"}},
    };
    for (const auto& c : cases) {
        Bitmap bitmap(1024, 768);
        CalendarChoices choices = NoStretch();
        choices.placement.showPrev = c.showPrev;
        choices.placement.showNext = c.showNext;
        choices.placement.corner = c.corner;
        EXPECT_EQ(TitlesAndSlots(Compose(bitmap, choices)), c.titles);
    }
}

TEST(ComposeCalendar, StretchesFirstAndPlacesOnTheStretchedSize) {
    Bitmap bitmap(64, 48);
    CalendarChoices choices;
    choices.stretch = true;
    choices.desktopWidth = 1280;
    choices.desktopHeight = 1024;
    choices.placement.corner = Corner::BottomRight;
    const Composed composed = Compose(bitmap, choices);
    EXPECT_EQ(bitmap.Width(), 1280);
    EXPECT_EQ(bitmap.Height(), 1024);
    EXPECT_EQ(composed.canvasWidth, 1280);
    EXPECT_EQ(composed.canvasHeight, 1024);
    EXPECT_EQ(TitlesAndSlots(composed).front(), "prev@1060,804");
}

TEST(ComposeCalendar, WithoutStretchThePictureKeepsItsSize) {
    Bitmap bitmap(640, 480);
    CalendarChoices choices = NoStretch();
    choices.desktopWidth = 1280;
    choices.desktopHeight = 1024;
    choices.placement.corner = Corner::BottomLeft;
    const Composed composed = Compose(bitmap, choices);
    EXPECT_EQ(bitmap.Width(), 640);
    EXPECT_EQ(TitlesAndSlots(composed).back(), "next@30,260");
}

TEST(ComposeCalendar, ABadDistanceStopsBeforeAnythingIsDrawn) {
    Bitmap bitmap(1024, 768);
    CalendarChoices choices = NoStretch();
    choices.placement.dyText = "ten";
    Composed composed;
    ExpectMessage([&] { ComposeInto(composed, bitmap, choices); },
                  "'ten' is not a valid integer value");
    EXPECT_EQ(composed.canvasesMade, 0);
    EXPECT_TRUE(composed.calls.empty());
}

} // namespace

// Two monitors of different sizes side by side, a panel 32 pixels high along
// the top of the left one and one 40 wide along the right edge of the right
// one; the calendar's area on a picture of the box's size, or half of it.
TEST(ComposeCalendar, GoesOnTheMonitorAtTheCornerClearOfPanels) {
    struct {
        Corner corner;
        bool fromWorkArea;
        int pictureWidth, x, y, width, height;
    } const cases[] = {
        {Corner::TopRight, false, 3200, 1920, 0, 1280, 720},
        {Corner::BottomRight, false, 3200, 1920, 0, 1280, 720},
        {Corner::BottomLeft, false, 3200, 0, 0, 1920, 1080},
        {Corner::None, false, 3200, 1920, 0, 1280, 720},
        {Corner::TopRight, true, 3200, 1920, 0, 1240, 720},
        {Corner::TopLeft, true, 3200, 0, 32, 1920, 1048},
        {Corner::BottomRight, false, 1600, 960, 0, 640, 360},
    };
    for (const auto& c : cases) {
        CalendarChoices choices;
        choices.desktopWidth = 3200;
        choices.desktopHeight = 1080;
        choices.monitors = {{{0, 0, 1920, 1080}, {0, 32, 1920, 1048}},
                            {{1920, 0, 1280, 720}, {1920, 0, 1240, 720}}};
        choices.placement.corner = c.corner;
        choices.fromWorkArea = c.fromWorkArea;
        const PixelRect area =
            CalendarSpotOn(choices, c.pictureWidth, c.pictureWidth * 1080 / 3200).area;
        EXPECT_EQ((std::vector<int>{area.x, area.y, area.width, area.height}),
                  (std::vector<int>{c.x, c.y, c.width, c.height}))
            << int(c.corner) << " " << c.fromWorkArea << " " << c.pictureWidth;
    }
}

// With the stretch box cleared, GNOME's square stock picture on a 1920 x 1080
// screen: the calendar goes in the part the desktop shows, sized for the
// screen; a picture of the screen's size is drawn on as it is.
TEST(ComposeCalendar, GoesWhereTheDesktopShowsThePictureAtTheScreensScale) {
    struct {
        MonitorFit shownAs;
        int pictureWidth, x, y, width, height, scale;
    } const cases[] = {
        {MonitorFit::Fill, 4096, 0, 896, 4096, 2304, 213},
        {MonitorFit::Fit, 4096, 0, 0, 4096, 4096, 379},
        {MonitorFit::Centre, 4096, 1088, 1508, 1920, 1080, 100},
        {MonitorFit::Stretch, 4096, 0, 0, 4096, 4096, 213},
        {MonitorFit::TopLeft, 4096, 0, 0, 1920, 1080, 100},
        {MonitorFit::Fit, 1920, 0, 0, 1920, 1080, 100},
    };
    for (const auto& c : cases) {
        CalendarChoices choices = NoStretch();
        choices.desktopWidth = 1920;
        choices.desktopHeight = 1080;
        choices.shownAs = c.shownAs;
        const int pictureHeight = c.pictureWidth == 1920 ? 1080 : 4096;
        const CalendarSpot spot = CalendarSpotOn(choices, c.pictureWidth, pictureHeight);
        EXPECT_EQ((std::vector<int>{spot.area.x, spot.area.y, spot.area.width, spot.area.height,
                                    spot.scalePercent}),
                  (std::vector<int>{c.x, c.y, c.width, c.height, c.scale}))
            << int(c.shownAs) << " " << c.pictureWidth;
    }
}
