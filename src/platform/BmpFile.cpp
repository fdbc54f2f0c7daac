// SPDX-License-Identifier: GPL-3.0-or-later

#include "BmpFile.h"

#include "AtomicFile.h"
#include "BmpDecode.h"
#include "FileOpen.h"
#include "PictureLimit.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace velnora {

namespace {

// BITMAPFILEHEADER (14 bytes) followed by BITMAPINFOHEADER (40 bytes), as Windows defines them.
constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t HeadersSize = FileHeaderSize + InfoHeaderSize;

// Rows are gathered bottom-up into writes of about this size (1 MiB, or one row
// when a row is larger): few system calls without a second copy of the picture.
constexpr std::size_t WriteChunkBytes = std::size_t{1} << 20;

void PutU16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* at, uint32_t value) {
    PutU16(at, value & 0xFFFF);
    PutU16(at + 2, value >> 16);
}

std::runtime_error CreateError(const std::string& path, int error) {
    return std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(error));
}

// The whole file into fd: headers, then the rows from the bottom up. False,
// with errno telling why, when a write is refused.
bool WriteBmpTo(int fd, const Bitmap& bitmap, uint32_t fileSize) {
    uint8_t headers[HeadersSize] = {};
    uint8_t* file = headers;
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file + 2, fileSize);
    PutU32(file + 10, HeadersSize); // offset of the pixels; bytes 6 to 9 are reserved, zero
    uint8_t* info = headers + FileHeaderSize;
    PutU32(info + 0, InfoHeaderSize);
    PutU32(info + 4, static_cast<uint32_t>(bitmap.Width()));
    PutU32(info + 8, static_cast<uint32_t>(bitmap.Height())); // positive: rows bottom-up
    PutU16(info + 12, 1);                                     // planes
    PutU16(info + 14, 24);                                    // bits a pixel
    PutU32(info + 16, 0);                                     // BI_RGB, uncompressed
    PutU32(info + 20, static_cast<uint32_t>(bitmap.SizeBytes()));
    // Resolution (bytes 24 to 31) zero: no preference; palette counts (32 to 39) zero: none.
    if (!WriteAll(fd, headers, sizeof headers))
        return false;

    const std::size_t stride = bitmap.Stride();
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * 3;
    const int rowsPerChunk = static_cast<int>(std::max<std::size_t>(1, WriteChunkBytes / stride));
    std::vector<uint8_t> chunk(stride *
                               static_cast<std::size_t>(std::min(rowsPerChunk, bitmap.Height())));
    for (int y = bitmap.Height() - 1; y >= 0;) {
        std::size_t filled = 0;
        for (int n = 0; n < rowsPerChunk && y >= 0; ++n, --y) {
            // The padding is written as zeros whatever the bitmap holds there.
            std::memcpy(chunk.data() + filled, bitmap.Row(y), rowBytes);
            std::memset(chunk.data() + filled + rowBytes, 0, stride - rowBytes);
            filled += stride;
        }
        if (!WriteAll(fd, chunk.data(), filled))
            return false;
    }
    return true;
}

// Qt refuses a header above its own limit without saying what it claims; the
// user is told the size instead. A BMP header starts with "BM"; the size of
// the info header is at byte 14 and the picture size at byte 18. Read as Qt
// reads it: two 32-bit values after a Windows (40, 108, 124 bytes) or OS/2 2
// (64 bytes) header, two 16-bit ones after any other (the 12-byte core
// header of OS/2 1 and Windows 2); a negative height means rows from the top.
// An uncompressed picture (BI_RGB, BI_BITFIELDS) is refused before any pixel
// memory is taken when the file holds fewer rows than its header claims (the
// last row's padding may be missing): a header of a few bytes would otherwise
// make the decoder fill and convert a picture of gigabytes.
void CheckHeader(const std::string& path) {
    uint8_t h[HeadersSize];
    std::FILE* file = OpenForReading(path);
    if (!file)
        return;
    const std::size_t got = std::fread(h, 1, sizeof h, file);
    const int64_t fileBytes = std::max<long long>(OpenFileSize(file), 0);
    std::fclose(file);
    if (got < 26 || h[0] != 'B' || h[1] != 'M')
        return;
    const auto u16 = [&](int at) { return static_cast<uint32_t>(h[at] | h[at + 1] << 8); };
    const auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    int64_t width, height;
    const uint32_t headerSize = u32(14);
    const bool windows =
        headerSize == 40 || headerSize == 64 || headerSize == 108 || headerSize == 124;
    if (windows) {
        width = std::abs(static_cast<int64_t>(static_cast<int32_t>(u32(18))));
        height = std::abs(static_cast<int64_t>(static_cast<int32_t>(u32(22))));
    } else {
        width = std::abs(static_cast<int16_t>(u16(18)));
        height = std::abs(static_cast<int16_t>(u16(20)));
    }
    CheckPictureSize(width, height);
    CheckPictureWork(width, height, fileBytes);
    constexpr uint32_t Rgb = 0, BitFields = 3;
    if (!windows || got < HeadersSize || (u32(30) != Rgb && u32(30) != BitFields))
        return;
    const int64_t rowBits = width * u16(28);
    const int64_t stride = (rowBits + 31) / 32 * 4;
    if (height > 0 && int64_t{u32(10)} + stride * (height - 1) + (rowBits + 7) / 8 > fileBytes)
        throw std::runtime_error("Cannot read picture \"" + path + "\": damaged BMP file");
}

} // namespace

bool ReadBmpFile(const std::string& path, Bitmap& out, std::string* why) {
    CheckHeader(path);
    return DecodeBmpFile(path, out, why);
}

void WriteBmpFile(const std::string& path, const Bitmap& bitmap) {
    if (bitmap.Empty())
        throw std::runtime_error("Cannot save an empty picture as \"" + path + "\"");
    // The size fields of a BMP file are 32 bits wide.
    const uint64_t fileSize = HeadersSize + static_cast<uint64_t>(bitmap.SizeBytes());
    if (fileSize > UINT32_MAX)
        throw CreateError(path, EFBIG);

    // Replaced whole: the desktop never reads half a picture, and a failed
    // save leaves the previous picture whole. It keeps the mode the user gave
    // the picture it replaces; a new one is the user's own (NewFileMode).
    if (!ReplaceFileWith(path, ModeForReplacing(path), [&](int fd) {
            return WriteBmpTo(fd, bitmap, static_cast<uint32_t>(fileSize));
        }))
        throw CreateError(path, errno);
}

}  // namespace velnora
