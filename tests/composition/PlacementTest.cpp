// SPDX-License-Identifier: GPL-3.0-or-later

#include "Placement.h"
#include "../support/ExpectMessage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace velnora;

namespace {

PlacementChoices Choices(Corner corner, bool showPrev = true, bool showNext = true,
                         std::string dx = "30", std::string dy = "30") {
    PlacementChoices choices;
    choices.corner = corner;
    choices.showPrev = showPrev;
    choices.showNext = showNext;
    choices.dxText = std::move(dx);
    choices.dyText = std::move(dy);
    return choices;
}

struct SlotCase {
    const char* what;
    Corner corner;
    bool showPrev, showNext;
    // The slots of the months that are drawn; -1 for a month not drawn.
    int xPrev, xNow, xNext, y;
};

// A 1024 x 768 picture, 30 pixels from the corner.
const SlotCase SlotCases[] = {
    {"top right", Corner::TopRight, true, true, 804, 614, 424, 30},
    {"bottom right", Corner::BottomRight, true, true, 804, 614, 424, 548},
    {"top left", Corner::TopLeft, true, true, 410, 220, 30, 30},
    {"bottom left", Corner::BottomLeft, true, true, 410, 220, 30, 548},
    // A hidden neighbour on the corner's side gives up its slot.
    {"top right, no previous", Corner::TopRight, false, true, -1, 804, 614, 30},
    {"bottom right, no previous", Corner::BottomRight, false, true, -1, 804, 614, 548},
    {"top left, no next", Corner::TopLeft, true, false, 220, 30, -1, 30},
    {"bottom left, no next", Corner::BottomLeft, true, false, 220, 30, -1, 548},
    // One on the far side leaves its slot empty and moves nothing.
    {"top right, no next", Corner::TopRight, true, false, 804, 614, -1, 30},
    {"bottom right, no next", Corner::BottomRight, true, false, 804, 614, -1, 548},
    {"top left, no previous", Corner::TopLeft, false, true, -1, 220, 30, 30},
    {"bottom left, no previous", Corner::BottomLeft, false, true, -1, 220, 30, 548},
    // With both hidden the current month sits in the corner-side slot.
    {"top right, alone", Corner::TopRight, false, false, -1, 804, -1, 30},
    {"bottom right, alone", Corner::BottomRight, false, false, -1, 804, -1, 548},
    {"top left, alone", Corner::TopLeft, false, false, -1, 30, -1, 30},
    {"bottom left, alone", Corner::BottomLeft, false, false, -1, 30, -1, 548},
    // No corner button on (a position outside 1 to 4 in the settings file):
    // placed as at the top right, where a fresh install puts the calendar.
    {"no corner", Corner::None, true, true, 804, 614, 424, 30},
    {"no corner, no previous", Corner::None, false, true, -1, 804, 614, 30},
};

TEST(PlaceCalendar, SlotsForEveryCornerAndHiddenNeighbour) {
    for (const SlotCase& c : SlotCases) {
        SCOPED_TRACE(c.what);
        const Placement place = PlaceCalendar(1024, 768, Choices(c.corner, c.showPrev, c.showNext));
        if (c.xPrev >= 0) {
            EXPECT_EQ(place.xPrev, c.xPrev);
        }
        EXPECT_EQ(place.xNow, c.xNow);
        if (c.xNext >= 0) {
            EXPECT_EQ(place.xNext, c.xNext);
        }
        EXPECT_EQ(place.y, c.y);
    }
}

// What a user sees: the cells of a month span 167 pixels from the slot's left,
// and the title and cells 190 pixels from the slot's top.
TEST(PlaceCalendar, MarginsOfTheVisibleCalendar) {
    const int width = 1920, height = 1080, dx = 45, dy = 12;
    for (bool showPrev : {true, false}) {
        for (bool showNext : {true, false}) {
            SCOPED_TRACE(std::to_string(showPrev) + std::to_string(showNext));
            const auto at = [&](Corner corner) {
                return PlaceCalendar(
                    width, height,
                    Choices(corner, showPrev, showNext, std::to_string(dx), std::to_string(dy)));
            };
            // Right corners: the rightmost month's cells end dx + 23 pixels
            // before the right edge.
            const Placement topRight = at(Corner::TopRight);
            const int rightmost = showPrev ? topRight.xPrev : topRight.xNow;
            EXPECT_EQ(width - (rightmost + 167), dx + 23);
            EXPECT_EQ(topRight.y, dy);
            // Left corners: the leftmost month starts exactly dx in.
            const Placement bottomLeft = at(Corner::BottomLeft);
            const int leftmost = showNext ? bottomLeft.xNext : bottomLeft.xNow;
            EXPECT_EQ(leftmost, dx);
            // Bottom corners: the last row of cells ends dy above the bottom.
            EXPECT_EQ(height - (bottomLeft.y + 190), dy);
            EXPECT_EQ(at(Corner::BottomRight).y, bottomLeft.y);
        }
    }
}

TEST(PlaceCalendar, DistancesAreWholeNumberTexts) {
    struct {
        const char* dx;
        const char* dy;
        int xNext, y;
    } const cases[] = {
        {"0", "0", 0, 0},
        {"$10", "0x20", 16, 32},
        {"  +7", "-5", 7, -5},
        {"-100", "-1", -100, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dx) + " " + c.dy);
        const Placement place =
            PlaceCalendar(800, 600, Choices(Corner::TopLeft, true, true, c.dx, c.dy));
        EXPECT_EQ(place.xNext, c.xNext);
        EXPECT_EQ(place.y, c.y);
    }
}

// Slots off the picture are still placed: the drawing clips them.
TEST(PlaceCalendar, SmallPicturesPutSlotsOffTheEdge) {
    const Placement place = PlaceCalendar(300, 100, Choices(Corner::BottomRight));
    EXPECT_EQ(place.xNext, 300 - 570 - 30);
    EXPECT_EQ(place.y, 100 - 190 - 30);
}

TEST(PlaceCalendar, ExtremeDistancesStayFarOffWithoutOverflow) {
    for (const char* dx : {"-2147483648", "2147483647"}) {
        SCOPED_TRACE(dx);
        for (Corner corner : {Corner::TopRight, Corner::TopLeft}) {
            const Placement place =
                PlaceCalendar(65536, 65536, Choices(corner, true, true, dx, dx));
            // Every slot lies wholly off a picture of the largest size.
            for (int x : {place.xPrev, place.xNow, place.xNext})
                EXPECT_TRUE(x + 190 <= 0 || x >= 65536) << x;
            EXPECT_TRUE(place.y + 190 <= 0 || place.y >= 65536) << place.y;
        }
    }
}

TEST(PlaceCalendar, ADistanceThatIsNotANumberStopsWithTheMessage) {
    struct {
        const char* dx;
        const char* dy;
        const char* message;
    } const cases[] = {
        {"", "30", "'' is not a valid integer value"},
        {"12px", "30", "'12px' is not a valid integer value"},
        {"30", "3 0", "'3 0' is not a valid integer value"},
        {"30", "99999999999", "'99999999999' is not a valid integer value"},
    };
    for (const auto& c : cases)
        ExpectMessage(
            [&] { PlaceCalendar(1024, 768, Choices(Corner::BottomLeft, true, true, c.dx, c.dy)); },
            c.message);
}

// At a scale the slots, and the distances typed, grow alike: on a 3840 x 2160
// picture 30 pixels from the corner, a slot is 190, 286 (a 35-pixel title line
// and cells of 35 on a 36 pitch) or 380 pixels, the distance 30, 45 or 60.
TEST(PlaceCalendar, SlotsAndDistancesScale) {
    struct {
        int percent;
        Corner corner;
        int xPrev, xNow, xNext, y;
    } const cases[] = {
        {100, Corner::TopRight, 3620, 3430, 3240, 30},
        {150, Corner::TopRight, 3509, 3223, 2937, 45},
        {200, Corner::TopRight, 3400, 3020, 2640, 60},
        {200, Corner::BottomRight, 3400, 3020, 2640, 1720},
        {200, Corner::TopLeft, 820, 440, 60, 60},
        {200, Corner::BottomLeft, 820, 440, 60, 1720},
        {400, Corner::BottomLeft, 1640, 880, 120, 1280},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.percent) + "% corner " + std::to_string(int(c.corner)));
        const Placement place = PlaceCalendar(3840, 2160, Choices(c.corner), c.percent);
        EXPECT_EQ(place.xPrev, c.xPrev);
        EXPECT_EQ(place.xNow, c.xNow);
        EXPECT_EQ(place.xNext, c.xNext);
        EXPECT_EQ(place.y, c.y);
    }
    // A hidden neighbour gives up a scaled slot; a distance of 7 at 150 % is 11.
    const Placement alone =
        PlaceCalendar(3840, 2160, Choices(Corner::TopRight, false, false, "7", "-7"), 150);
    EXPECT_EQ(alone.xNow, 3840 - 286 - 11);
    EXPECT_EQ(alone.y, -11);
}

} // namespace
