#include "Bitmap.h"

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

Bitmap::Bitmap(int width, int height) { Resize(width, height); }

void Bitmap::Resize(int width, int height) {
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide)
        throw std::runtime_error("Invalid picture size: " + std::to_string(width) + " x " +
                                 std::to_string(height));
    const std::size_t stride = StrideFor(width);
    // At most 65536 * 3 * 65536 bytes (12 GiB): no overflow in size_t, but the
    // allocation itself may fail, which is reported rather than crashing.
    const std::size_t bytes = stride * static_cast<std::size_t>(height);
    if (bytes != SizeBytes()) {
        uint8_t* fresh = new (std::nothrow) uint8_t[bytes];
        if (!fresh)
            throw std::runtime_error("Not enough memory for a picture of " + std::to_string(width) +
                                     " x " + std::to_string(height));
        data_.reset(fresh);
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
}
