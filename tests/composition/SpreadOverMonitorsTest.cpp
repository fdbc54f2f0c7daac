// SPDX-License-Identifier: GPL-3.0-or-later

#include "SpreadOverMonitors.h"

#include <gtest/gtest.h>

using namespace velnora;

// A 300 x 100 source of three bands, red, green and blue, spread over a square
// monitor (100 x 100 at 0, 0) and a wide one (300 x 50 at 100, 0) on a 400 x
// 100 desktop, on a dark red desktop colour: the red byte of a pixel, 0 where
// no monitor shows.
TEST(SpreadOverMonitors, EachMonitorShowsTheSourceLaidOutForItself) {
    struct {
        MonitorFit fit;
        int x, y, red;
    } const cases[] = {
        {MonitorFit::Fill, 5, 50, 0},      // the square crops the middle band
        {MonitorFit::Fill, 150, 25, 255},  // the wide one keeps all three bands
        {MonitorFit::Fill, 150, 75, 0},    // below the wide one: no monitor
        {MonitorFit::Stretch, 5, 50, 255}, // the square squeezes all three in
        {MonitorFit::Fit, 5, 50, 255},     // the square shows all three bands...
        {MonitorFit::Fit, 5, 5, 0x80},     // ...between stripes of the desktop's colour
        {MonitorFit::Centre, 5, 50, 0},    // the square shows the middle band unscaled
        {MonitorFit::Centre, 105, 25, 255}, // the wide one all three
    };
    for (const auto& c : cases) {
        Bitmap source(300, 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x)
                for (int byte = 0; byte < 3; ++byte) // blue, green, red
                    source.Row(y)[3 * x + byte] = x / 100 == 2 - byte ? 0xFF : 0;
        SpreadOverMonitors(source, 400, 100, {{{0, 0, 100, 100}, {}}, {{100, 0, 300, 50}, {}}},
                           c.fit, Colour{0x80});
        EXPECT_EQ(source.Row(c.y)[3 * c.x + 2], c.red) << int(c.fit) << " at " << c.x << "," << c.y;
    }
}
