// SPDX-License-Identifier: GPL-3.0-or-later

#include "SpreadOverMonitors.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace velnora;

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Black = 0;

uint32_t Pixel(const Bitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.Row(y) + 3 * x; // blue, green, red
    return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
}

} // namespace

// A 300 x 100 source of three bands, red, green and blue, spread over a square
// monitor (100 x 100 at 0, 0) and a wide one (300 x 50 at 100, 0) on a 400 x
// 100 desktop.
TEST(SpreadOverMonitors, EachMonitorShowsTheSourceLaidOutForItself) {
    struct {
        MonitorFit fit;
        int x, y;
        uint32_t colour;
    } const cases[] = {
        {MonitorFit::Fill, 5, 50, Green},   // the square crops the middle band
        {MonitorFit::Fill, 150, 25, Red},   // the wide one keeps all three bands
        {MonitorFit::Fill, 350, 25, Blue},
        {MonitorFit::Fill, 150, 75, Black}, // below the wide one: no monitor
        {MonitorFit::Stretch, 5, 50, Red},  // the square squeezes all three in
        {MonitorFit::Stretch, 95, 50, Blue},
    };
    for (const auto& c : cases) {
        Bitmap source(300, 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x) {
                const uint32_t colour = x < 100 ? Red : x < 200 ? Green : Blue;
                uint8_t* p = source.Row(y) + 3 * x;
                p[0] = colour >> 16, p[1] = colour >> 8 & 0xFF, p[2] = colour & 0xFF;
            }
        SpreadOverMonitors(source, 400, 100,
                           {{{0, 0, 100, 100}, {0, 0, 100, 100}}, {{100, 0, 300, 50}, {100, 0, 300, 50}}},
                           c.fit);
        ASSERT_EQ(source.Width(), 400);
        EXPECT_EQ(Pixel(source, c.x, c.y), c.colour) << int(c.fit) << " at " << c.x << "," << c.y;
    }
}
