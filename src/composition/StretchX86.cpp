// SPDX-License-Identifier: GPL-3.0-or-later
// The vector kernels of the stretch for x86 processors. Each function carries
// its instruction set as a target attribute, so the file builds for any x86
// processor and the caller picks what the running one supports.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <cstring>

#include "StretchRows.h"

namespace velnora {

namespace {

// gy and fy, 0..32767 here, as the lower halves of the weight pairs.
__attribute__((target("sse2"))) inline __m128i Sum4Sse2(const uint32_t* fxPairs,
                                                        const uint32_t* upper,
                                                        const uint32_t* lower, __m128i gy16,
                                                        __m128i gy32, __m128i fy16, __m128i fy32) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fxPairs));
    const __m128i wUpper = _mm_or_si128(_mm_mulhi_epu16(f, gy16), gy32);
    const __m128i wLower = _mm_or_si128(_mm_mulhi_epu16(f, fy16), fy32);
    const __m128i sum = _mm_add_epi32(
        _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(upper)), wUpper),
        _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lower)), wLower));
    return _mm_srli_epi32(sum, 15);
}

// fy is 0, so gy is 32768, which a signed 16-bit weight cannot hold:
// TL * 32768 is taken as TL * 32767 + TL, and wTR is fx.
__attribute__((target("sse2"))) inline __m128i Sum4UpperSse2(const uint32_t* fxPairs,
                                                             const uint32_t* upper) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fxPairs));
    const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper));
    const __m128i weights = _mm_or_si128(_mm_srli_epi32(f, 1), _mm_set1_epi32(32767));
    const __m128i sum =
        _mm_add_epi32(_mm_madd_epi16(u, weights), _mm_and_si128(u, _mm_set1_epi32(0xFFFF)));
    return _mm_srli_epi32(sum, 15);
}

__attribute__((target("avx2"))) inline __m256i Sum8Avx2(const uint32_t* fxPairs,
                                                        const uint32_t* upper,
                                                        const uint32_t* lower, __m256i gy16,
                                                        __m256i gy32, __m256i fy16, __m256i fy32) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fxPairs));
    const __m256i wUpper = _mm256_or_si256(_mm256_mulhi_epu16(f, gy16), gy32);
    const __m256i wLower = _mm256_or_si256(_mm256_mulhi_epu16(f, fy16), fy32);
    const __m256i sum = _mm256_add_epi32(
        _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper)), wUpper),
        _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower)), wLower));
    return _mm256_srli_epi32(sum, 15);
}

__attribute__((target("avx2"))) inline __m256i Sum8UpperAvx2(const uint32_t* fxPairs,
                                                             const uint32_t* upper) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fxPairs));
    const __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper));
    const __m256i weights = _mm256_or_si256(_mm256_srli_epi32(f, 1), _mm256_set1_epi32(32767));
    const __m256i sum = _mm256_add_epi32(_mm256_madd_epi16(u, weights),
                                         _mm256_and_si256(u, _mm256_set1_epi32(0xFFFF)));
    return _mm256_srli_epi32(sum, 15);
}

} // namespace

// The sums of 16 destination bytes, in order.
__attribute__((target("sse2"))) static inline __m128i
Blend16Sse2(const uint32_t* fx, const uint32_t* upper, const uint32_t* lower, __m128i gy16,
            __m128i gy32, __m128i fy16, __m128i fy32) {
    __m128i s[4];
    for (int k = 0; k < 4; ++k)
        s[k] = lower ? Sum4Sse2(fx + 4 * k, upper + 4 * k, lower + 4 * k, gy16, gy32, fy16, fy32)
                     : Sum4UpperSse2(fx + 4 * k, upper + 4 * k);
    return _mm_packus_epi16(_mm_packs_epi32(s[0], s[1]), _mm_packs_epi32(s[2], s[3]));
}

__attribute__((target("sse2"))) void BlendRowSse2(const StretchPlan& plan, const uint32_t* upper,
                                                  const uint32_t* lower, uint32_t fy, int begin,
                                                  int end, uint8_t* destination) {
    const uint32_t* fx = plan.fxPairs.data();
    const int gy = 32768 - static_cast<int>(fy); // 1..32767 when lower is there
    const __m128i gy16 = _mm_set1_epi16(static_cast<short>(gy));
    const __m128i gy32 = _mm_set1_epi32(gy);
    const __m128i fy16 = _mm_set1_epi16(static_cast<short>(fy));
    const __m128i fy32 = _mm_set1_epi32(static_cast<int>(fy));
    int j = begin;
    for (; j + 16 <= end; j += 16)
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(destination + j),
            Blend16Sse2(fx + j, upper + j, lower ? lower + j : nullptr, gy16, gy32, fy16, fy32));
    if (j < end) {
        // The last bytes through a buffer: the row ends here, and in place the
        // next row is already final. The pairs run on to paddedBytes.
        alignas(16) uint8_t last[16];
        _mm_store_si128(
            reinterpret_cast<__m128i*>(last),
            Blend16Sse2(fx + j, upper + j, lower ? lower + j : nullptr, gy16, gy32, fy16, fy32));
        std::memcpy(destination + j, last, end - j);
    }
}

// (left, left, left, right) bytes times (1, 0, -1, 1): (left, right - left).
__attribute__((target("ssse3"))) static inline __m128i PairsSsse3(__m128i window,
                                                                  const uint8_t* mask) {
    const __m128i factors = _mm_set1_epi32(0x01FF0001);
    const __m128i picked =
        _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask)));
    return _mm_maddubs_epi16(picked, factors);
}

__attribute__((target("ssse3"))) void GatherRow8Ssse3(const StretchPlan& plan,
                                                      const uint8_t* sourceRow, int begin, int end,
                                                      uint32_t* pairs) {
    // Pointers and indices in locals: the stores through pairs could otherwise
    // alias the plan, and would make every step reload it.
    const uint8_t* mask = plan.windowMask.data();
    const uint32_t* base = plan.windowBase.data();
    for (int j = begin; j < end; j += 8) {
        const __m128i window = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(sourceRow + base[static_cast<unsigned>(j) / 8]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + j), PairsSsse3(window, mask + 4 * j));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + j + 4),
                         PairsSsse3(window, mask + 4 * j + 16));
    }
}

__attribute__((target("ssse3"))) void GatherRow4Ssse3(const StretchPlan& plan,
                                                      const uint8_t* sourceRow, int begin, int end,
                                                      uint32_t* pairs) {
    const uint8_t* mask = plan.windowMask.data();
    const uint32_t* base = plan.windowBase.data();
    for (int j = begin; j < end; j += 4) {
        const __m128i window = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(sourceRow + base[static_cast<unsigned>(j) / 4]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + j), PairsSsse3(window, mask + 4 * j));
    }
}

__attribute__((target("avx2"))) static inline __m256i PairsAvx2(__m256i windows,
                                                                const uint8_t* mask) {
    const __m256i factors = _mm256_set1_epi32(0x01FF0001);
    const __m256i picked =
        _mm256_shuffle_epi8(windows, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(mask)));
    return _mm256_maddubs_epi16(picked, factors);
}

__attribute__((target("avx2"))) void GatherRow8Avx2(const StretchPlan& plan,
                                                    const uint8_t* sourceRow, int begin, int end,
                                                    uint32_t* pairs) {
    // As in GatherRow8Ssse3, locals keep the loop free of reloads.
    const uint8_t* mask = plan.windowMask.data();
    const uint32_t* base = plan.windowBase.data();
    // Two groups a step (begin and end are multiples of 64): the loop's own
    // count and test would otherwise take a third of the instructions.
    for (int j = begin; j < end; j += 16) {
        const uint32_t* groupBase = base + static_cast<unsigned>(j) / 8;
        // The same window in both halves: the shuffle stays within halves.
        const __m256i first = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + groupBase[0])));
        const __m256i second = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + groupBase[1])));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pairs + j), PairsAvx2(first, mask + 4 * j));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pairs + j + 8),
                            PairsAvx2(second, mask + 4 * j + 32));
    }
}

__attribute__((target("avx2"))) void GatherRow4Avx2(const StretchPlan& plan,
                                                    const uint8_t* sourceRow, int begin, int end,
                                                    uint32_t* pairs) {
    const uint8_t* mask = plan.windowMask.data();
    const uint32_t* base = plan.windowBase.data();
    for (int j = begin; j < end; j += 8) {
        const unsigned group = static_cast<unsigned>(j) / 4;
        const __m128i first =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + base[group]));
        const __m128i second =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + base[group + 1]));
        const __m256i windows = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pairs + j),
                            PairsAvx2(windows, mask + 4 * j));
    }
}

__attribute__((target("avx2"))) static inline __m256i
Blend32Avx2(const uint32_t* fx, const uint32_t* upper, const uint32_t* lower, __m256i gy16,
            __m256i gy32, __m256i fy16, __m256i fy32) {
    __m256i s[4];
    for (int k = 0; k < 4; ++k)
        s[k] = lower ? Sum8Avx2(fx + 8 * k, upper + 8 * k, lower + 8 * k, gy16, gy32, fy16, fy32)
                     : Sum8UpperAvx2(fx + 8 * k, upper + 8 * k);
    // The packs work within 128-bit halves; the permutation puts the 4-byte
    // groups back in order.
    const __m256i bytes =
        _mm256_packus_epi16(_mm256_packs_epi32(s[0], s[1]), _mm256_packs_epi32(s[2], s[3]));
    return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

__attribute__((target("avx2"))) void BlendRowAvx2(const StretchPlan& plan, const uint32_t* upper,
                                                  const uint32_t* lower, uint32_t fy, int begin,
                                                  int end, uint8_t* destination) {
    const uint32_t* fx = plan.fxPairs.data();
    const int gy = 32768 - static_cast<int>(fy); // 1..32767 when lower is there
    const __m256i gy16 = _mm256_set1_epi16(static_cast<short>(gy));
    const __m256i gy32 = _mm256_set1_epi32(gy);
    const __m256i fy16 = _mm256_set1_epi16(static_cast<short>(fy));
    const __m256i fy32 = _mm256_set1_epi32(static_cast<int>(fy));
    int j = begin;
    if (lower) {
        for (; j + 32 <= end; j += 32)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + j),
                                Blend32Avx2(fx + j, upper + j, lower + j, gy16, gy32, fy16, fy32));
    } else {
        for (; j + 32 <= end; j += 32)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + j),
                                Blend32Avx2(fx + j, upper + j, nullptr, gy16, gy32, fy16, fy32));
    }
    if (j < end) {
        // As in BlendRowSse2: the row's last bytes through a buffer.
        alignas(32) uint8_t last[32];
        _mm256_store_si256(
            reinterpret_cast<__m256i*>(last),
            Blend32Avx2(fx + j, upper + j, lower ? lower + j : nullptr, gy16, gy32, fy16, fy32));
        std::memcpy(destination + j, last, end - j);
    }
}

}  // namespace velnora

#endif

