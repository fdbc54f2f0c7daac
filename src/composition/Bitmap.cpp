// SPDX-License-Identifier: GPL-3.0-or-later

#include "Bitmap.h"

#include <cstdlib>
#ifdef _WIN32
#include <malloc.h>
#endif
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace velnora {

namespace {

// Pictures of several megabytes are touched for the first time by whoever
// fills them; on Linux, asking for transparent huge pages turns the thousands
// of page faults of a 4K picture (25 MB) into a dozen, which halves the time
// of a stretch onto it. 2 MiB is the x86-64 huge page size.
constexpr std::size_t HugePage = std::size_t{2} << 20;

// Memory at an alignment: C11's aligned_alloc, which the Microsoft C runtime
// lacks; there _aligned_malloc takes its place and wants its own free.
void* AlignedMemory(std::size_t align, std::size_t bytes) {
#ifdef _WIN32
    return _aligned_malloc(bytes, align);
#else
    return std::aligned_alloc(align, bytes);
#endif
}

void FreeAligned(void* memory) {
#ifdef _WIN32
    _aligned_free(memory);
#else
    std::free(memory);
#endif
}

uint8_t* TakeMemory(std::size_t bytes) {
    // From 8 MiB on (about 1700 x 1700 pixels) the rounding up to whole huge
    // pages wastes under a quarter of the memory taken.
    const bool large = bytes >= 4 * HugePage;
    const std::size_t align = large ? HugePage : Bitmap::Alignment;
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (bytes + align - 1) / align * align;
    void* memory = AlignedMemory(align, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only advice: a refusal changes the speed, never the result.
    if (memory && large)
        madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    return static_cast<uint8_t*>(memory);
}

std::runtime_error NoMemoryFor(int width, int height) {
    return std::runtime_error("Not enough memory for a picture of " + std::to_string(width) +
                              " x " + std::to_string(height));
}

} // namespace

Bitmap::Bitmap(int width, int height) {
    Resize(width, height);
}

Bitmap::~Bitmap() {
    Release();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        Release();
        Swap(other);
    }
    return *this;
}

void Bitmap::Release() noexcept {
    FreeAligned(data_);
    data_ = nullptr;
    capacity_ = 0;
    width_ = height_ = 0;
    stride_ = 0;
}

void Bitmap::Resize(int width, int height) {
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide)
        throw std::runtime_error("Invalid picture size: " + std::to_string(width) + " x " +
                                 std::to_string(height));
    const std::size_t stride = StrideFor(width);
    // At most 196608 * 65536 bytes (12 GiB) plus the slack: that overflows a
    // 32-bit size_t, so the product is checked rather than assumed to fit.
    const std::size_t rows = static_cast<std::size_t>(height);
    if (stride > (std::numeric_limits<std::size_t>::max() - Slack) / rows)
        throw NoMemoryFor(width, height);
    const std::size_t bytes = stride * rows;
    if (bytes != capacity_ || data_ == nullptr) {
        uint8_t* fresh = TakeMemory(bytes + Slack);
        if (!fresh)
            throw NoMemoryFor(width, height);
        FreeAligned(data_);
        data_ = fresh;
        capacity_ = bytes;
    }
    width_ = width;
    height_ = height;
    stride_ = stride;
}

void Bitmap::Swap(Bitmap& other) noexcept {
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(stride_, other.stride_);
    std::swap(data_, other.data_);
    std::swap(capacity_, other.capacity_);
}

}  // namespace velnora
