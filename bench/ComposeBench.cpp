// SPDX-License-Identifier: GPL-3.0-or-later
// One whole calendar compose on a 3840 x 2160 picture, as a redraw does it:
// a fresh Qt canvas (fonts looked up afresh), then three months with titles.
#include "Compose.h"
#include "MonthGrid.h"
#include "QtCanvas.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace velnora;

namespace {

void BM_ComposeCalendar4K(benchmark::State& state) {
    // Kept for the life of the process: Qt's own statics go before a static
    // QGuiApplication would, and destroying it then can crash.
    static const OffscreenGui* const gui = new OffscreenGui;
    benchmark::DoNotOptimize(gui);
    Bitmap picture(3840, 2160);
    std::memset(picture.Data(), 0x80, picture.SizeBytes());
    // 1389/1/15: a month of 31 days over six rows, today in the middle.
    const MonthGrids grids = FillMonthGrids(1389, 1, 15);
    CalendarChoices choices;
    choices.stretch = false;
    for (auto _ : state) {
        ComposeCalendar(picture, choices, grids, MakeQtCanvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeCalendar4K)->Unit(benchmark::kMillisecond);

} // namespace
