// SPDX-License-Identifier: GPL-3.0-or-later
// The picture pipeline's file work at desktop size: decoding a 3840 x 2160
// photograph as a JPEG, a PNG and a WebP, and saving it as the output BMP.
#include "BmpFile.h"
#include "PictureLoader.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageWriter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

constexpr int Width = 3840; // a 4K desktop
constexpr int Height = 2160;

// Smooth shading with edges and fine grain, so the JPEG holds about as much
// detail as a photograph of that size (a few MB at quality 90).
void PhotoRow(int y, std::vector<JSAMPLE>& rgb, uint32_t& seed) {
    for (int x = 0; x < Width; ++x) {
        seed = seed * 1664525u + 1013904223u; // Numerical Recipes' LCG
        const int grain = static_cast<int>(seed >> 28) - 8;
        const double u = x / double(Width), v = y / double(Height);
        const double wave = std::sin(u * 23.0 + std::cos(v * 7.0) * 3.0);
        const bool edge = (x / 240 + y / 180) % 2 == 0;
        const int base[3] = {static_cast<int>(120 + 90 * wave), static_cast<int>(80 + 150 * v),
                             static_cast<int>(edge ? 200 - 120 * u : 60 + 40 * u)};
        for (int c = 0; c < 3; ++c)
            rgb[x * 3 + c] = static_cast<JSAMPLE>(std::clamp(base[c] + grain, 0, 255));
    }
}

void WritePhotoJpeg(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE); // a camera's usual setting
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> rgb(Width * 3);
    uint32_t seed = 1;
    while (info.next_scanline < info.image_height) {
        PhotoRow(static_cast<int>(info.next_scanline), rgb, seed);
        JSAMPROW row = rgb.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void RemoveFolder();

// A folder for the run's files, made once and removed at exit.
const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "velnora-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        return fs::path(pattern);
    }();
    // Registered after the path is made, so it runs before the path is destroyed.
    static const bool removed = (std::atexit(RemoveFolder), true);
    (void)removed;
    return folder;
}

void RemoveFolder() {
    fs::remove_all(Folder());
}

const std::string& PhotoPath() {
    static const std::string path = [] {
        const std::string p = (Folder() / "photo.jpg").string();
        WritePhotoJpeg(p);
        return p;
    }();
    return path;
}

// The photograph written by Qt in another format (quality -1: Qt's default,
// for WebP 75, lossy, as desktops ship their WebP wallpapers).
std::string PhotoAs(const char* format, int quality) {
    const std::string path = (Folder() / (std::string("photo.") + format)).string();
    QImage image(QString::fromStdString(PhotoPath()), "jpeg");
    QImageWriter writer(QString::fromStdString(path), format);
    writer.setQuality(quality);
    if (image.isNull() || !writer.write(image))
        throw std::runtime_error("cannot write " + path);
    return path;
}

void LoadPicture4K(benchmark::State& state, const std::string& path) {
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    for (auto _ : state) {
        Bitmap bitmap;
        LoadSourcePicture(path, bitmap);
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}

void BM_LoadJpeg4K(benchmark::State& state) {
    LoadPicture4K(state, PhotoPath());
}
BENCHMARK(BM_LoadJpeg4K)->Unit(benchmark::kMillisecond);

void BM_LoadPng4K(benchmark::State& state) {
    static const std::string path = PhotoAs("png", -1);
    LoadPicture4K(state, path);
}
BENCHMARK(BM_LoadPng4K)->Unit(benchmark::kMillisecond);

void BM_LoadWebp4K(benchmark::State& state) {
    static const std::string path = PhotoAs("webp", -1);
    LoadPicture4K(state, path);
}
BENCHMARK(BM_LoadWebp4K)->Unit(benchmark::kMillisecond);

void BM_SaveBmp4K(benchmark::State& state) {
    Bitmap bitmap;
    LoadSourcePicture(PhotoPath(), bitmap);
    const std::string out = (Folder() / "Velnora.bmp").string();
    for (auto _ : state)
        WriteBmpFile(out, bitmap);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bitmap.SizeBytes()));
}
BENCHMARK(BM_SaveBmp4K)->Unit(benchmark::kMillisecond);

} // namespace
