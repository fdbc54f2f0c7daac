// SPDX-License-Identifier: GPL-3.0-or-later

#include "StretchRows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace velnora {

namespace {

// One pixel in 15-bit fixed point.
constexpr uint32_t One = 32768;

// left in the lower 16 bits, right - left (-255..255) in the upper ones.
uint32_t Pair(int left, int right) {
    const auto difference = static_cast<uint16_t>(right - left);
    return static_cast<uint32_t>(left) | static_cast<uint32_t>(difference) << 16;
}

// Groups of `group` destination bytes are gathered from one 16-byte load when
// each group's bytes lie within 16 bytes of its leftmost one.
bool PlanWindows(StretchPlan& plan, int group) {
    const int groups = plan.paddedBytes / group;
    plan.windowBase.assign(groups, 0);
    plan.windowMask.assign(static_cast<std::size_t>(plan.paddedBytes) * 4, 0x80); // a zero byte
    for (int g = 0; g * group < plan.rowBytes; ++g) {
        const int first = g * group;
        const int last = std::min(first + group, plan.rowBytes);
        uint32_t low = UINT32_MAX, high = 0;
        for (int j = first; j < last; ++j) {
            low = std::min(low, plan.leftOffset[j / 3] + j % 3);
            high = std::max(high, plan.rightOffset[j / 3] + j % 3);
        }
        if (high - low > 15)
            return false;
        plan.windowBase[g] = low;
        for (int j = first; j < last; ++j) {
            const auto left = static_cast<uint8_t>(plan.leftOffset[j / 3] + j % 3 - low);
            const auto right = static_cast<uint8_t>(plan.rightOffset[j / 3] + j % 3 - low);
            uint8_t* mask = &plan.windowMask[static_cast<std::size_t>(j) * 4];
            mask[0] = mask[1] = mask[2] = left;
            mask[3] = right;
        }
    }
    plan.windowGroup = group;
    return true;
}

} // namespace

StretchPlan MakeStretchPlan(int sourceWidth, int sourceHeight, int newWidth, int newHeight) {
    StretchPlan plan;
    plan.sourceWidth = sourceWidth;
    plan.sourceHeight = sourceHeight;
    plan.newWidth = newWidth;
    plan.newHeight = newHeight;
    // Sides of at most 65536 keep (side - 1) * 32768 within 2^31 - 1.
    plan.xstep = static_cast<int32_t>((sourceWidth - 1) * One) / newWidth;
    plan.ystep = static_cast<int32_t>((sourceHeight - 1) * One) / newHeight;
    plan.rowBytes = newWidth * 3;
    plan.paddedBytes = (plan.rowBytes + 63) & ~63;

    plan.fxPairs.assign(plan.paddedBytes, 0);
    plan.leftOffset.resize(newWidth);
    plan.rightOffset.resize(newWidth);
    uint32_t sx = 0;
    for (int x = 0; x < newWidth; ++x) {
        const uint32_t x0 = sx >> 15;
        const uint32_t x1 = x0 < static_cast<uint32_t>(sourceWidth - 1) ? x0 + 1 : x0;
        const uint32_t fx = sx & 0x7FFF;
        plan.leftOffset[x] = 3 * x0;
        plan.rightOffset[x] = 3 * x1;
        for (int c = 0; c < 3; ++c)
            plan.fxPairs[3 * x + c] = (2 * fx) << 16;
        sx += plan.xstep;
    }
    if (!PlanWindows(plan, 8) && !PlanWindows(plan, 4)) {
        plan.windowBase.clear();
        plan.windowMask.clear();
    }
    return plan;
}

void StretchRows(const SourceRegion& source, Bitmap& destination, WindowGathers gathers,
                 BlendRowFunction blend) {
    const StretchPlan plan =
        MakeStretchPlan(source.width, source.height, destination.Width(), destination.Height());
    GatherRowFunction gather = GatherRowScalar;
    if (plan.windowGroup == 8 && gathers.eight)
        gather = gathers.eight;
    else if (plan.windowGroup == 4 && gathers.four)
        gather = gathers.four;

    // The picture goes in bands of rows, each band in strips of columns, so
    // that the two gathered rows and the weights of one strip (12 bytes per
    // destination byte, 24 KiB) stay in the first-level cache (32 or 48 KiB on
    // current x86 processors) while the band's rows are blended, and the band
    // of destination rows (32 of them: 720 KiB at 7680 pixels) stays in the
    // second-level cache until its strips are all written.
    constexpr int StripBytes = 2048; // a multiple of 64, the vector block
    constexpr int BandRows = 32;
    const int strips = (plan.rowBytes + StripBytes - 1) / StripBytes;

    // Zero-filled, so that the padding past rowBytes reads as zero pairs.
    std::vector<uint32_t> pairs[2] = {std::vector<uint32_t>(plan.paddedBytes),
                                      std::vector<uint32_t>(plan.paddedBytes)};
    // Per strip, the source rows the two buffers hold there.
    std::vector<std::array<int, 2>> held(strips, {-1, -1});
    // The buffer holding source row `row` in a strip, gathering it over the
    // one that does not hold `keep` when neither holds it: moving by one
    // source row reuses the other row as it is.
    auto fetch = [&](int row, int keep, int strip, int begin, int end) -> const uint32_t* {
        std::array<int, 2>& rows = held[strip];
        for (int i = 0; i < 2; ++i)
            if (rows[i] == row)
                return pairs[i].data();
        const int i = rows[0] == keep ? 1 : 0;
        gather(plan, source.Row(row), begin, end, pairs[i].data());
        rows[i] = row;
        return pairs[i].data();
    };

    // A strip reads a short piece of each source row, too short for the
    // processor to notice a stream and fetch ahead: the pieces that the
    // destination row after next reads are asked for while this one is worked
    // on (the next row's were asked for one row earlier).
    auto prefetch = [&](int y, int strip, int begin, int end) {
        if (y < 0 || y >= plan.newHeight)
            return;
        const uint32_t sy = static_cast<uint32_t>(y) * static_cast<uint32_t>(plan.ystep);
        const int y0 = static_cast<int>(sy >> 15);
        const int rows[2] = {y0, (sy & 0x7FFF) != 0 ? y0 + 1 : y0};
        const uint32_t first = plan.leftOffset[begin / 3];
        const uint32_t last = plan.rightOffset[(end - 1) / 3] + 3;
        for (int row : rows) {
            if (held[strip][0] == row || held[strip][1] == row)
                continue;
            const uint8_t* data = source.Row(row);
            for (uint32_t offset = first; offset < last + 63; offset += 64) {
                __builtin_prefetch(data + offset);
                // C++ lets the compiler drop a loop without side effects, and
                // a prefetch does not count as one: this empty statement does.
                asm volatile("" : : "r"(data + offset));
            }
        }
    };

    // In place (the size stays the same) rows go from the bottom up and strips
    // from right to left, and destination row y overwrites source row y. For
    // the same size both steps are below 32768, so destination pixel (x, y)
    // reads source pixels at or above and left of (x, y) only (x0 + 1 <= x
    // for x >= 1, and x0 = 0 for x = 0; rows likewise): all are gathered
    // before they are overwritten.
    const bool inPlace = source.picture == &destination;
    const int lastRow = source.height - 1;
    const std::size_t padding = destination.Stride() - plan.rowBytes;
    for (int bandStart = 0; bandStart < plan.newHeight; bandStart += BandRows) {
        const int bandEnd = std::min(bandStart + BandRows, plan.newHeight);
        for (int s = 0; s < strips; ++s) {
            const int strip = inPlace ? strips - 1 - s : s;
            const int begin = strip * StripBytes;
            const int end = std::min(begin + StripBytes, plan.rowBytes);
            // The last strip's pairs run on to paddedBytes for the vector blends.
            const int gatherEnd = std::min(begin + StripBytes, plan.paddedBytes);
            for (int i = bandStart; i < bandEnd; ++i) {
                const int y = inPlace ? plan.newHeight - 1 - i : i;
                // y * ystep <= (sh - 1) * 32768: no overflow.
                const uint32_t sy = static_cast<uint32_t>(y) * static_cast<uint32_t>(plan.ystep);
                const int y0 = static_cast<int>(sy >> 15);
                const int y1 = y0 < lastRow ? y0 + 1 : y0;
                const uint32_t fy = sy & 0x7FFF;
                const uint32_t* upper = fetch(y0, fy != 0 ? y1 : -1, strip, begin, gatherEnd);
                const uint32_t* lower = fy != 0 ? fetch(y1, y0, strip, begin, gatherEnd) : nullptr;
                prefetch(inPlace ? y - 2 : y + 2, strip, begin, end);
                blend(plan, upper, lower, fy, begin, end, destination.Row(y));
            }
        }
        // BMP files written from the picture then hold zeros there, as is customary.
        for (int i = bandStart; i < bandEnd; ++i)
            std::memset(destination.Row(inPlace ? plan.newHeight - 1 - i : i) + plan.rowBytes, 0,
                        padding);
    }
}

void GatherRowScalar(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                     uint32_t* pairs) {
    for (int j = begin; j < std::min(end, plan.rowBytes); ++j) {
        const int x = j / 3;
        const int c = j % 3;
        pairs[j] = Pair(sourceRow[plan.leftOffset[x] + c], sourceRow[plan.rightOffset[x] + c]);
    }
}

void BlendRowScalar(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                    uint32_t fy, int begin, int end, uint8_t* destination) {
    const int32_t gy = static_cast<int32_t>(One - fy);
    for (int j = begin; j < end; ++j) {
        const uint32_t fx2 = plan.fxPairs[j] >> 16;
        const int32_t wTR = static_cast<int32_t>((fx2 * gy) >> 16);
        int32_t sum = static_cast<int32_t>(upper[j] & 0xFFFF) * gy +
                      static_cast<int16_t>(upper[j] >> 16) * wTR;
        if (lower) {
            const int32_t wBR = static_cast<int32_t>((fx2 * fy) >> 16);
            sum += static_cast<int32_t>(lower[j] & 0xFFFF) * static_cast<int32_t>(fy) +
                   static_cast<int16_t>(lower[j] >> 16) * wBR;
        }
        destination[j] = static_cast<uint8_t>(sum >> 15);
    }
}

}  // namespace velnora
