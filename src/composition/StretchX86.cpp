// The vector kernels of the stretch for x86 processors. Each function carries
// its instruction set as a target attribute, so the file builds for any x86
// processor and the caller picks what the running one supports.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "StretchRows.h"

namespace {

// gy and fy, 0..32767 here, as the lower halves of the weight pairs.
__attribute__((target("sse2"))) inline __m128i Sum4Sse2(const uint32_t* fxPairs,
                                                        const uint32_t* upper,
                                                        const uint32_t* lower, __m128i gy16,
                                                        __m128i gy32, __m128i fy16,
                                                        __m128i fy32) {
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
                                                        __m256i gy32, __m256i fy16,
                                                        __m256i fy32) {
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
    const __m256i weights =
        _mm256_or_si256(_mm256_srli_epi32(f, 1), _mm256_set1_epi32(32767));
    const __m256i sum = _mm256_add_epi32(_mm256_madd_epi16(u, weights),
                                         _mm256_and_si256(u, _mm256_set1_epi32(0xFFFF)));
    return _mm256_srli_epi32(sum, 15);
}

// Packs four vectors of 8 sums (each 0..255) into 32 bytes in destination order.
__attribute__((target("avx2"))) inline void Store32Avx2(uint8_t* destination, __m256i s0,
                                                        __m256i s1, __m256i s2, __m256i s3) {
    // The packs work within 128-bit halves; the permutation puts the 4-byte
    // groups back in order.
    const __m256i bytes =
        _mm256_packus_epi16(_mm256_packs_epi32(s0, s1), _mm256_packs_epi32(s2, s3));
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination),
                        _mm256_permutevar8x32_epi32(bytes, order));
}

} // namespace

__attribute__((target("sse2"))) void BlendRowSse2(const StretchPlan& plan, const uint32_t* upper,
                                                  const uint32_t* lower, uint32_t fy,
                                                  uint8_t* destination) {
    const uint32_t* fx = plan.fxPairs.data();
    if (!lower) {
        for (int j = 0; j < plan.paddedBytes; j += 16) {
            const __m128i s0 = Sum4UpperSse2(fx + j, upper + j);
            const __m128i s1 = Sum4UpperSse2(fx + j + 4, upper + j + 4);
            const __m128i s2 = Sum4UpperSse2(fx + j + 8, upper + j + 8);
            const __m128i s3 = Sum4UpperSse2(fx + j + 12, upper + j + 12);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + j),
                             _mm_packus_epi16(_mm_packs_epi32(s0, s1), _mm_packs_epi32(s2, s3)));
        }
        return;
    }
    const int gy = 32768 - static_cast<int>(fy);
    const __m128i gy16 = _mm_set1_epi16(static_cast<short>(gy));
    const __m128i gy32 = _mm_set1_epi32(gy);
    const __m128i fy16 = _mm_set1_epi16(static_cast<short>(fy));
    const __m128i fy32 = _mm_set1_epi32(static_cast<int>(fy));
    for (int j = 0; j < plan.paddedBytes; j += 16) {
        const __m128i s0 = Sum4Sse2(fx + j, upper + j, lower + j, gy16, gy32, fy16, fy32);
        const __m128i s1 =
            Sum4Sse2(fx + j + 4, upper + j + 4, lower + j + 4, gy16, gy32, fy16, fy32);
        const __m128i s2 =
            Sum4Sse2(fx + j + 8, upper + j + 8, lower + j + 8, gy16, gy32, fy16, fy32);
        const __m128i s3 =
            Sum4Sse2(fx + j + 12, upper + j + 12, lower + j + 12, gy16, gy32, fy16, fy32);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + j),
                         _mm_packus_epi16(_mm_packs_epi32(s0, s1), _mm_packs_epi32(s2, s3)));
    }
}

__attribute__((target("ssse3"))) void GatherRowSsse3(const StretchPlan& plan,
                                                    const uint8_t* sourceRow, uint32_t* pairs) {
    const int groups = plan.paddedBytes / 4;
    for (int group = 0; group < groups; ++group) {
        const __m128i window =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + plan.windowBase[group]));
        const __m128i mask = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(plan.windowMask.data() + 16 * group));
        // (left, right) as 16-bit numbers, then right - left in the upper half.
        const __m128i leftRight = _mm_shuffle_epi8(window, mask);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + 4 * group),
                         _mm_sub_epi16(leftRight, _mm_slli_epi32(leftRight, 16)));
    }
}

__attribute__((target("avx2"))) void GatherRowAvx2(const StretchPlan& plan,
                                                   const uint8_t* sourceRow, uint32_t* pairs) {
    const int groups = plan.paddedBytes / 4;
    for (int group = 0; group < groups; group += 2) {
        const __m128i first =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceRow + plan.windowBase[group]));
        const __m128i second = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(sourceRow + plan.windowBase[group + 1]));
        const __m256i window = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
        const __m256i mask = _mm256_loadu_si256(
            reinterpret_cast<const __m256i*>(plan.windowMask.data() + 16 * group));
        const __m256i leftRight = _mm256_shuffle_epi8(window, mask);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pairs + 4 * group),
                            _mm256_sub_epi16(leftRight, _mm256_slli_epi32(leftRight, 16)));
    }
}

__attribute__((target("avx2"))) void BlendRowAvx2(const StretchPlan& plan, const uint32_t* upper,
                                                  const uint32_t* lower, uint32_t fy,
                                                  uint8_t* destination) {
    const uint32_t* fx = plan.fxPairs.data();
    if (!lower) {
        for (int j = 0; j < plan.paddedBytes; j += 32)
            Store32Avx2(destination + j, Sum8UpperAvx2(fx + j, upper + j),
                        Sum8UpperAvx2(fx + j + 8, upper + j + 8),
                        Sum8UpperAvx2(fx + j + 16, upper + j + 16),
                        Sum8UpperAvx2(fx + j + 24, upper + j + 24));
        return;
    }
    const int gy = 32768 - static_cast<int>(fy);
    const __m256i gy16 = _mm256_set1_epi16(static_cast<short>(gy));
    const __m256i gy32 = _mm256_set1_epi32(gy);
    const __m256i fy16 = _mm256_set1_epi16(static_cast<short>(fy));
    const __m256i fy32 = _mm256_set1_epi32(static_cast<int>(fy));
    for (int j = 0; j < plan.paddedBytes; j += 32)
        Store32Avx2(destination + j,
                    Sum8Avx2(fx + j, upper + j, lower + j, gy16, gy32, fy16, fy32),
                    Sum8Avx2(fx + j + 8, upper + j + 8, lower + j + 8, gy16, gy32, fy16, fy32),
                    Sum8Avx2(fx + j + 16, upper + j + 16, lower + j + 16, gy16, gy32, fy16, fy32),
                    Sum8Avx2(fx + j + 24, upper + j + 24, lower + j + 24, gy16, gy32, fy16, fy32));
}

#endif
