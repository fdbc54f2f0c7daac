// SPDX-License-Identifier: GPL-3.0-or-later
// Floored division for day counts: calendars count days before their epochs
// as well, where C++'s truncating division would put a day into the wrong
// year or month.
#pragma once

#include <cstdint>

namespace velnora {

inline int64_t FloorDiv(int64_t a, int64_t n) {
    const int64_t q = a / n;
    return (a % n != 0 && (a < 0) != (n < 0)) ? q - 1 : q;
}

// 0 .. n - 1 for positive n, also for negative a.
inline int64_t FloorMod(int64_t a, int64_t n) {
    return a - n * FloorDiv(a, n);
}

inline int64_t CeilDiv(int64_t a, int64_t n) {
    return -FloorDiv(-a, n);
}

}  // namespace velnora
