// SPDX-License-Identifier: GPL-3.0-or-later
// The picture being composed: 24 bits a pixel in the order blue, green, red,
// rows from the top, each row padded to a multiple of 4 bytes as in a BMP file.
// The pixel memory is left uninitialised when it is taken: every user writes
// all of it, and touching fresh memory twice costs as much as the stretch.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velnora {

class Bitmap {
  public:
    // Largest width or height accepted, so that (size - 1) * 32768 fits in 32 bits.
    static constexpr int MaxSide = 65536;
    // The pixel memory starts on a cache line, so rows can be read and written
    // with aligned vector instructions where the stride allows.
    static constexpr std::size_t Alignment = 64;
    // Readable and writable bytes after the last row: vector code may load or
    // store one whole 64-byte block past the last pixel it needs.
    static constexpr std::size_t Slack = 64;

    Bitmap() = default;
    // Throws std::runtime_error when a side is below 1 or above MaxSide, or the
    // pixels do not fit in memory.
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap(Bitmap&& other) noexcept { Swap(other); }
    Bitmap& operator=(Bitmap&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0; }
    // Bytes from one row to the next.
    std::size_t Stride() const { return stride_; }
    std::size_t SizeBytes() const { return stride_ * static_cast<std::size_t>(height_); }
    uint8_t* Data() { return data_; }
    const uint8_t* Data() const { return data_; }
    uint8_t* Row(int y) { return data_ + stride_ * static_cast<std::size_t>(y); }
    const uint8_t* Row(int y) const { return data_ + stride_ * static_cast<std::size_t>(y); }

    // New size, content undefined; same checks as the constructor.
    void Resize(int width, int height);
    void Swap(Bitmap& other) noexcept;

    static std::size_t StrideFor(int width) {
        return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    }

  private:
    void Release() noexcept;

    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    uint8_t* data_ = nullptr;
    std::size_t capacity_ = 0; // bytes taken, without the slack
};

}  // namespace velnora
