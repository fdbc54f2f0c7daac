#include "StretchRows.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// One pixel in 15-bit fixed point.
constexpr uint32_t One = 32768;

uint32_t Pair(int left, int right) {
    return static_cast<uint32_t>(left) |
           static_cast<uint32_t>(static_cast<uint16_t>(right - left)) << 16;
}

// A 4-byte group is gathered from one 16-byte load when its bytes lie within
// 16 bytes of the leftmost one.
bool PlanWindows(StretchPlan& plan) {
    const int groups = plan.paddedBytes / 4;
    plan.windowBase.assign(groups, 0);
    plan.windowMask.assign(static_cast<std::size_t>(groups) * 16, 0x80); // 0x80: a zero byte
    for (int group = 0; group * 4 < plan.rowBytes; ++group) {
        const int first = group * 4;
        const int last = std::min(first + 4, plan.rowBytes);
        uint32_t low = UINT32_MAX, high = 0;
        for (int j = first; j < last; ++j) {
            low = std::min(low, plan.leftOffset[j / 3] + j % 3);
            high = std::max(high, plan.rightOffset[j / 3] + j % 3);
        }
        if (high - low > 15)
            return false;
        plan.windowBase[group] = low;
        for (int j = first; j < last; ++j) {
            uint8_t* mask = &plan.windowMask[static_cast<std::size_t>(j) * 4];
            mask[0] = static_cast<uint8_t>(plan.leftOffset[j / 3] + j % 3 - low);
            mask[2] = static_cast<uint8_t>(plan.rightOffset[j / 3] + j % 3 - low);
        }
    }
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
    plan.windowed = PlanWindows(plan);
    return plan;
}

void StretchRows(const Bitmap& source, Bitmap& destination, GatherRowFunction windowGather,
                 BlendRowFunction blend) {
    const StretchPlan plan = MakeStretchPlan(source.Width(), source.Height(),
                                             destination.Width(), destination.Height());
    const GatherRowFunction gather =
        plan.windowed && windowGather ? windowGather : GatherRowScalar;
    // Zero-filled, so that the padding past rowBytes reads as zero pairs.
    std::vector<uint32_t> upperPairs(plan.paddedBytes), lowerPairs(plan.paddedBytes);
    uint32_t* upper = upperPairs.data();
    uint32_t* lower = lowerPairs.data();
    int upperRow = -1, lowerRow = -1; // the source rows they hold
    const int lastRow = source.Height() - 1;
    const std::size_t padding = destination.Stride() - plan.rowBytes;

    uint32_t sy = 0;
    for (int y = 0; y < plan.newHeight; ++y) {
        const int y0 = static_cast<int>(sy >> 15);
        const int y1 = y0 < lastRow ? y0 + 1 : y0;
        const uint32_t fy = sy & 0x7FFF;
        if (upperRow != y0) {
            if (lowerRow == y0) {
                // Moving down one source row: the old lower row is the new upper one.
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);
            } else {
                gather(plan, source.Row(y0), upper);
                upperRow = y0;
            }
        }
        if (fy != 0 && lowerRow != y1) {
            gather(plan, source.Row(y1), lower);
            lowerRow = y1;
        }
        uint8_t* row = destination.Row(y);
        blend(plan, upper, fy != 0 ? lower : nullptr, fy, row);
        // After the blend, which may have run into the padding: BMP files
        // written from the picture then hold zeros there, as is customary.
        std::memset(row + plan.rowBytes, 0, padding);
        sy += plan.ystep;
    }
}

void GatherRowScalar(const StretchPlan& plan, const uint8_t* sourceRow, uint32_t* pairs) {
    for (int x = 0; x < plan.newWidth; ++x) {
        const uint8_t* left = sourceRow + plan.leftOffset[x];
        const uint8_t* right = sourceRow + plan.rightOffset[x];
        for (int c = 0; c < 3; ++c)
            pairs[3 * x + c] = Pair(left[c], right[c]);
    }
}

void BlendRowScalar(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                    uint32_t fy, uint8_t* destination) {
    const int32_t gy = static_cast<int32_t>(One - fy);
    for (int j = 0; j < plan.rowBytes; ++j) {
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
