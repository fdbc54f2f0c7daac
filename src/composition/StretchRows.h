// SPDX-License-Identifier: GPL-3.0-or-later
// The fast stretch works row by row in two steps. Gathering turns one source
// row into, for every destination byte, the pair (left, right - left) of that
// channel's source bytes as 16-bit numbers; a gathered row serves every
// destination row that reads the same source row. Blending mixes the gathered
// upper and lower rows with the weights of one destination row.
//
// Why this gives the bytes of the rule: with wTL = gy - wTR and wBL = fy - wBR,
//   TL*wTL + TR*wTR + BL*wBL + BR*wBR = TL*gy + (TR-TL)*wTR + BL*fy + (BR-BL)*wBR,
// every factor fits a signed 16-bit number (differences -255..255, weights
// 0..32767; gy reaches 32768 only when fy is 0, and then the lower row drops
// out and TL*32768 is taken as TL*32767 + TL) and the sum is the same
// 0..255*32768, so a 16-bit multiply-add into 32 bits computes it exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

namespace velnora {

struct StretchPlan {
    int sourceWidth = 0;
    int sourceHeight = 0;
    int newWidth = 0;
    int newHeight = 0;
    int32_t xstep = 0;
    int32_t ystep = 0;
    // Destination bytes of a row (3 * newWidth), and that rounded up to a whole
    // number of 64-byte blocks: vector kernels run over the rounded count.
    int rowBytes = 0;
    int paddedBytes = 0;
    // Per destination byte: (2 * fx) << 16, so that an unsigned 16-bit high
    // multiply by gy or fy gives (0, wTR) or (0, wBR) in one step.
    std::vector<uint32_t> fxPairs;
    // Per destination pixel: byte offsets of its left and right source pixels.
    std::vector<uint32_t> leftOffset;
    std::vector<uint32_t> rightOffset;
    // Byte shuffles for gathering from 16-byte windows of the source row: each
    // group of windowGroup destination bytes is gathered from the 16 bytes at
    // its windowBase. Groups are 8 bytes when enlarging or keeping the width,
    // 4 when shrinking up to about 3 times; 0 means that no window holds a
    // group's bytes (shrinking more) and the gather goes byte by byte. Per destination byte the
    // mask picks (left, left, left, right), which a multiply-add with the
    // factors (1, 0, -1, 1) turns into the pair (left, right - left).
    int windowGroup = 0;
    std::vector<uint32_t> windowBase; // per group
    std::vector<uint8_t> windowMask;  // 4 per destination byte
};

StretchPlan MakeStretchPlan(int sourceWidth, int sourceHeight, int newWidth, int newHeight);

// Fills the pairs (left | (right - left) << 16) of destination bytes begin to
// end - 1 from one source row; begin is a multiple of 64, end of 64 or rowBytes.
using GatherRowFunction = void (*)(const StretchPlan& plan, const uint8_t* sourceRow, int begin,
                                   int end, uint32_t* pairs);
// Writes bytes begin to end - 1 of one destination row from the gathered upper
// and lower rows; lower is null when fy is 0 and the lower row carries no
// weight. begin is a multiple of 64, and end too unless it is rowBytes; the
// pairs are read on up to the next multiple of 32.
using BlendRowFunction = void (*)(const StretchPlan& plan, const uint32_t* upper,
                                  const uint32_t* lower, uint32_t fy, int begin, int end,
                                  uint8_t* destinationRow);

// The gathers that use the window shuffles, for groups of 8 and of 4 bytes;
// either may be null, and GatherRowScalar stands in.
struct WindowGathers {
    GatherRowFunction eight = nullptr;
    GatherRowFunction four = nullptr;
};

// The rectangle of a picture that is stretched, read as a picture of its own:
// the whole picture, or the part a crop keeps. Reads past its right side stay
// within the picture's rows and slack, as for the whole picture.
struct SourceRegion {
    const Bitmap* picture = nullptr;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    static SourceRegion Whole(const Bitmap& picture) {
        return {&picture, 0, 0, picture.Width(), picture.Height()};
    }
    const uint8_t* Row(int y) const {
        return picture->Row(top + y) + 3 * static_cast<std::size_t>(left);
    }
};

// Stretches source into destination (already of the new size, and a distinct
// picture, or the very same whole picture when the size stays the same).
void StretchRows(const SourceRegion& source, Bitmap& destination, WindowGathers gathers,
                 BlendRowFunction blend);

void GatherRowScalar(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                     uint32_t* pairs);
void BlendRowScalar(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                    uint32_t fy, int begin, int end, uint8_t* destinationRow);

#if defined(__x86_64__) || defined(__i386__)
void BlendRowSse2(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                  uint32_t fy, int begin, int end, uint8_t* destinationRow);
void GatherRow8Ssse3(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                     uint32_t* pairs);
void GatherRow4Ssse3(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                     uint32_t* pairs);
void GatherRow8Avx2(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                    uint32_t* pairs);
void GatherRow4Avx2(const StretchPlan& plan, const uint8_t* sourceRow, int begin, int end,
                    uint32_t* pairs);
void BlendRowAvx2(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                  uint32_t fy, int begin, int end, uint8_t* destinationRow);
#endif

}  // namespace velnora
