// The fast stretch works row by row in two steps. Gathering turns one source
// row into, for every destination byte, the pair (left, right - left) of that
// channel's source bytes as 16-bit numbers; a gathered row serves every
// destination row that reads the same source row. Blending mixes the gathered
// upper and lower rows with the weights of one destination row.
//
// Why this gives the bytes of the rule: with wTL = gy - wTR and wBL = fy - wBR,
//   TL*wTL + TR*wTR + BL*wBL + BR*wBR = TL*gy + (TR-TL)*wTR + BL*fy + (BR-BL)*wBR,
// every factor fits a signed 16-bit number (differences -255..255, weights
// 0..32767; gy reaches 32768 only when fy is 0) and the sum is the same
// 0..255*32768, so a 16-bit multiply-add into 32 bits computes it exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

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
    // Byte shuffles for gathering 4 destination bytes at a time from one
    // 16-byte window of the source row; usable when every window holds the
    // bytes it needs, which is so unless shrinking by more than 3 times.
    bool windowed = false;
    std::vector<uint32_t> windowBase; // per 4 destination bytes
    std::vector<uint8_t> windowMask;  // 16 per 4 destination bytes
};

StretchPlan MakeStretchPlan(int sourceWidth, int sourceHeight, int newWidth, int newHeight);

// Fills paddedBytes pairs (left | (right - left) << 16) from one source row.
using GatherRowFunction = void (*)(const StretchPlan& plan, const uint8_t* sourceRow,
                                   uint32_t* pairs);
// Writes one destination row from the gathered upper and lower rows; lower is
// null when fy is 0 and the lower row carries no weight. Vector versions may
// write up to paddedBytes bytes.
using BlendRowFunction = void (*)(const StretchPlan& plan, const uint32_t* upper,
                                  const uint32_t* lower, uint32_t fy, uint8_t* destination);

// Stretches source into destination (already of the new size). windowGather,
// which may be null, gathers with the window shuffles; where the plan has none
// GatherRowScalar does.
void StretchRows(const Bitmap& source, Bitmap& destination, GatherRowFunction windowGather,
                 BlendRowFunction blend);

void GatherRowScalar(const StretchPlan& plan, const uint8_t* sourceRow, uint32_t* pairs);
void BlendRowScalar(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                    uint32_t fy, uint8_t* destination);

#if defined(__x86_64__) || defined(__i386__)
void BlendRowSse2(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                  uint32_t fy, uint8_t* destination);
void GatherRowSsse3(const StretchPlan& plan, const uint8_t* sourceRow, uint32_t* pairs);
void GatherRowAvx2(const StretchPlan& plan, const uint8_t* sourceRow, uint32_t* pairs);
void BlendRowAvx2(const StretchPlan& plan, const uint32_t* upper, const uint32_t* lower,
                  uint32_t fy, uint8_t* destination);
#endif
