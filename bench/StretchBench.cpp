// SPDX-License-Identifier: GPL-3.0-or-later
// The stretch at the sizes the program meets: a full HD picture onto a 4K
// desktop, 4K onto itself, a 5K picture onto a full HD desktop, and 4K onto two
// 4K screens side by side. Each fast figure has the plain rule beside it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>

#include "Bitmap.h"
#include "Stretch.h"

using namespace velnora;

namespace {

// A picture with detail everywhere, from a fixed linear congruential sequence
// (the constants of Numerical Recipes), so every run stretches the same bytes.
Bitmap MakeSourcePicture(int width, int height) {
    Bitmap picture(width, height);
    uint32_t state = 12345;
    uint8_t* data = picture.Data();
    for (std::size_t i = 0; i < picture.SizeBytes(); ++i) {
        state = state * 1664525u + 1013904223u;
        data[i] = static_cast<uint8_t>(state >> 24);
    }
    return picture;
}

// Processor time of this thread, page faults and memory stalls included but
// not the time other programs on a shared machine take from it.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times one stretch of a fresh copy of the source, as the program does it: the
// destination memory is new each time, and the source's memory is released
// inside the stretch. Making the copy and releasing the result are not timed.
void RunStretch(benchmark::State& state, void (*stretch)(Bitmap&, int, int)) {
    const int sw = static_cast<int>(state.range(0));
    const int sh = static_cast<int>(state.range(1));
    const int nw = static_cast<int>(state.range(2));
    const int nh = static_cast<int>(state.range(3));
    const Bitmap source = MakeSourcePicture(sw, sh);
    double stretchSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Bitmap work(sw, sh);
        std::memcpy(work.Data(), source.Data(), source.SizeBytes());
        state.ResumeTiming();
        const double start = ThreadSeconds();
        stretch(work, nw, nh);
        stretchSeconds += ThreadSeconds() - start;
        benchmark::DoNotOptimize(work.Data());
        benchmark::ClobberMemory();
        state.PauseTiming();
        work = Bitmap();
        state.ResumeTiming();
    }
    // The figure to compare: processor time of the stretch alone (the timer
    // pauses cost microseconds each) per destination pixel.
    const double pixels = static_cast<double>(nw) * nh * static_cast<double>(state.iterations());
    state.counters["ns_per_px"] = stretchSeconds * 1e9 / pixels;
}

void BM_StretchBitmap(benchmark::State& state) {
    RunStretch(state, StretchBitmap);
}
void BM_StretchBitmapReference(benchmark::State& state) {
    RunStretch(state, StretchBitmapReference);
}

void StretchSizes(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080, 3840, 2160});
    b->Args({3840, 2160, 3840, 2160});
    b->Args({5120, 2880, 1920, 1080});
    b->Args({3840, 2160, 7680, 2160});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_StretchBitmap)->Apply(StretchSizes);
BENCHMARK(BM_StretchBitmapReference)->Apply(StretchSizes);
