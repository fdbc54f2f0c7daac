// SPDX-License-Identifier: GPL-3.0-or-later
// Small files that claim much: the pictures a hostile or broken file makes
// the loader face, made here rather than committed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace velnora {

struct JpegRequest {
    int width = 64;
    int height = 48;
    bool progressive = false;
    bool fullColour = false; // 4:4:4; otherwise libjpeg's default 4:2:0
};

// A flat grey JPEG made by libjpeg.
inline std::string MakeJpeg(const JpegRequest& request) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(request.width);
    info.image_height = static_cast<JDIMENSION>(request.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (request.fullColour)
        for (int c = 0; c < 3; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    if (request.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(request.width) * 3, 128);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// The same JPEG with its frame header claiming another size.
inline std::string ClaimingSize(std::string jpeg, int width, int height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == '\xFF' && (jpeg[i + 1] == '\xC0' || jpeg[i + 1] == '\xC2')) {
            // Marker, length (2), precision (1), then height and width.
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width);
            return jpeg;
        }
    throw std::runtime_error("no frame header");
}

// A progressive JPEG whose last scan is repeated `times` times more: every
// scan is a pass over the whole picture, and libjpeg takes a repeated
// refinement with a warning only.
inline std::string WithRepeatedLastScan(const std::string& jpeg, int times) {
    const std::size_t last = jpeg.rfind("\xFF\xDA");
    const std::size_t end = jpeg.rfind("\xFF\xD9");
    const std::string scan = jpeg.substr(last, end - last);
    std::string bytes = jpeg.substr(0, end);
    for (int i = 0; i < times; ++i)
        bytes += scan;
    return bytes + "\xFF\xD9";
}

inline void PutLittle(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
}

inline void PutBig(std::string& bytes, uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
}

// The headers of an uncompressed BMP of that size and depth, and 100 bytes of
// pixels: the rest is missing, as in a file cut short.
inline std::string CutBmp(int width, int height, int bits) {
    std::string bytes = "BM";
    const uint32_t pixels = static_cast<uint32_t>(width) * height * (bits / 8);
    PutLittle(bytes, 54 + pixels, 4);
    PutLittle(bytes, 0, 4);
    PutLittle(bytes, 54, 4);
    for (uint32_t value : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)})
        PutLittle(bytes, value, 4);
    PutLittle(bytes, 1, 2);
    PutLittle(bytes, static_cast<uint32_t>(bits), 2);
    for (int i = 0; i < 6; ++i)
        PutLittle(bytes, 0, 4);
    return bytes + std::string(100, '\x80');
}

// The CRC-32 of PNG chunks (ISO 3309, reflected polynomial 0xEDB88320).
inline uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return crc ^ 0xFFFFFFFF;
}

inline void PutChunk(std::string& png, const std::string& type, const std::string& data) {
    PutBig(png, static_cast<uint32_t>(data.size()), 4);
    png += type + data;
    PutBig(png, Crc32(type + data), 4);
}

// A PNG claiming that size, whose picture data is the start of a deflate
// stream and nothing more.
inline std::string PngHeader(int width, int height) {
    std::string header;
    PutBig(header, static_cast<uint32_t>(width), 4);
    PutBig(header, static_cast<uint32_t>(height), 4);
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB
    std::string bytes = "\x89PNG\r\n\x1A\n";
    PutChunk(bytes, "IHDR", header);
    PutChunk(bytes, "IDAT", "\x78\x9C");
    PutChunk(bytes, "IEND", "");
    return bytes;
}

// A GIF of that screen size whose one frame holds no pixel data.
inline std::string EmptyGif(int width, int height) {
    std::string bytes = "GIF89a";
    PutLittle(bytes, static_cast<uint32_t>(width), 2);
    PutLittle(bytes, static_cast<uint32_t>(height), 2);
    bytes += std::string("\x80\x00\x00", 3); // a global table of 2 colours
    bytes += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
    bytes += ',';
    PutLittle(bytes, 0, 4);
    PutLittle(bytes, static_cast<uint32_t>(width), 2);
    PutLittle(bytes, static_cast<uint32_t>(height), 2);
    // No local colour table; codes of 3 bits: a clear code (4), an end code (5).
    bytes += std::string("\x00\x02\x01\x2C\x00;", 6);
    return bytes;
}

}  // namespace velnora
