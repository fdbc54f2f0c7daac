// SPDX-License-Identifier: GPL-3.0-or-later
// 24-bit BMP files as bytes, for the tests that write a picture by hand or look
// at the pixels of one the program wrote. The layout is Windows' own: a 14-byte
// file header, a 40-byte BITMAPINFOHEADER, little-endian numbers, and rows of
// 3 bytes a pixel (blue, green, red) padded to 4 bytes, bottom row first unless
// the height is negative.
#pragma once

#include "Files.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace velnora {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, std::size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void Put32(Bytes& b, std::size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

inline uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
}

inline Bytes ReadBytes(const std::filesystem::path& path) {
    const std::string bytes = ReadWholeFile(path);
    return Bytes(bytes.begin(), bytes.end());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
}

inline std::size_t Bmp24Stride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

// The 54 header bytes of an uncompressed 24-bit bottom-up file, as the
// program's writer makes them.
inline Bytes Bmp24Header(int width, int height) {
    const std::size_t pixels = Bmp24Stride(width) * static_cast<std::size_t>(height);
    Bytes header(54, 0);
    header[0] = 'B';
    header[1] = 'M';
    Put32(header, 2, static_cast<uint32_t>(54 + pixels));
    Put32(header, 10, 54);
    Put32(header, 14, 40);
    Put32(header, 18, static_cast<uint32_t>(width));
    Put32(header, 22, static_cast<uint32_t>(height));
    Put16(header, 26, 1);
    Put16(header, 28, 24);
    Put32(header, 34, static_cast<uint32_t>(pixels));
    return header;
}

// A picture of one colour (0x00BBGGRR) as a 24-bit BMP file.
inline void WritePlainBmp(const std::filesystem::path& path, int width, int height,
                          uint32_t colour) {
    Bytes file = Bmp24Header(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            file.insert(file.end(),
                        {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                         static_cast<uint8_t>(colour)});
        file.resize(file.size() + Bmp24Stride(width) - 3 * static_cast<std::size_t>(width), 0);
    }
    WriteBytes(path, file);
}

struct Pixel {
    uint8_t blue, green, red;
    bool operator==(const Pixel&) const = default;
};

// The pixels of a 24-bit file, rows from the top, without padding; 0 x 0 when
// the file is not an uncompressed 24-bit BMP or is cut short.
struct Bmp24 {
    int width = 0, height = 0;
    Bytes pixels;

    Pixel At(int x, int y) const {
        const uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

inline Bmp24 ReadBmp24(const Bytes& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || file[28] != 24 ||
        Get32(file, 30) != 0)
        return {};
    const int width = static_cast<int>(Get32(file, 18));
    const int storedHeight = static_cast<int>(Get32(file, 22));
    const int height = std::abs(storedHeight);
    const std::size_t stride = Bmp24Stride(width);
    const std::size_t offset = Get32(file, 10);
    if (file.size() < offset + stride * static_cast<std::size_t>(height))
        return {};
    Bmp24 picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        const int fileRow = storedHeight > 0 ? height - 1 - y : y;
        const auto row = file.begin() + static_cast<std::ptrdiff_t>(offset + stride * fileRow);
        picture.pixels.insert(picture.pixels.end(), row, row + width * 3);
    }
    return picture;
}

}  // namespace velnora
