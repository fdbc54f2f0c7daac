// The picture being composed: 24 bits a pixel in the order blue, green, red,
// rows from the top, each row padded to a multiple of 4 bytes as in a BMP file.
// The pixel memory is left uninitialised when it is taken: every user writes
// all of it, and touching fresh memory twice costs as much as the stretch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class Bitmap {
public:
    // Largest width or height accepted, so that (size - 1) * 32768 fits in 32 bits.
    static constexpr int MaxSide = 65536;

    Bitmap() = default;
    // Throws std::runtime_error when a side is below 1 or above MaxSide, or the
    // pixels do not fit in memory.
    Bitmap(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0; }
    // Bytes from one row to the next.
    std::size_t Stride() const { return stride_; }
    std::size_t SizeBytes() const { return stride_ * static_cast<std::size_t>(height_); }
    uint8_t* Data() { return data_.get(); }
    const uint8_t* Data() const { return data_.get(); }
    uint8_t* Row(int y) { return data_.get() + stride_ * static_cast<std::size_t>(y); }
    const uint8_t* Row(int y) const { return data_.get() + stride_ * static_cast<std::size_t>(y); }

    // New size, content undefined; same checks as the constructor.
    void Resize(int width, int height);
    void Swap(Bitmap& other) noexcept;

    static std::size_t StrideFor(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    std::unique_ptr<uint8_t[]> data_;
};
