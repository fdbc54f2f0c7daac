// SPDX-License-Identifier: GPL-3.0-or-later

#include "JpegDecoder.h"

#include "FileOpen.h"
#include "PictureLimit.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>
// After jpeglib.h, which jerror.h needs.
#include <jerror.h>

namespace velnora {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back to the one setjmp in DecodeJpeg, below which only libjpeg's own
// C frames lie, so no destructor is skipped.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool tooManyScans;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg-turbo's guard against progressive pictures made of endless scans
// (djpeg -maxscans; every scan costs a pass over the whole picture, and a
// scan of nothing but "EOB runs" takes a few bytes): its progress monitor
// counts the scans and gives up past the cap. libjpeg's own progressive
// script has 10 scans (6 for grey) and encoders that tune their scripts stay
// near that; 100 leaves every real photo ten times the room, and bounds a
// 1 MB file of empty scans to well under a second of work per megapixel.
constexpr int MaxScans = 100;

void CountScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
        reinterpret_cast<ErrorManager*>(info->err)->tooManyScans = true;
        JumpOnError(info);
    }
}

// The memory libjpeg holds beside the finished picture: for a picture of
// several scans (progressive ones) all its DCT coefficients, 64 of 2 bytes a
// block, each component rounded up to whole MCUs as libjpeg's coefficient
// buffer is; and for every picture its row buffers, at most a few row groups
// of 16 rows (h2v2 fancy upsampling keeps three) of every component, counted
// four times over.
int64_t DecoderBytes(const jpeg_decompress_struct& info) {
    int64_t bytes = int64_t{info.output_width} * info.num_components * 16 * 4 * 4;
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info)))
        return bytes;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const auto roundUp = [](int64_t value, int64_t step) {
            return (value + step - 1) / step * step;
        };
        bytes += roundUp(component.width_in_blocks, component.h_samp_factor) *
                 roundUp(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2 *
                 static_cast<int64_t>(sizeof(JCOEF));
    }
    return bytes;
}

// Warnings (corrupt data, a file cut short) are accepted, as picture viewers
// accept them: libjpeg goes on decoding, and the missing part of a truncated
// file comes out grey. libjpeg would print them on standard error; the
// program logs nothing.
void IgnoreMessage(j_common_ptr) {}

// Everything one decode holds, released on every exit path, by a return, a
// C++ exception or a jump out of libjpeg alike.
struct Decoder {
    std::FILE* file = nullptr;
    jpeg_decompress_struct info{}; // all zero: jpeg_destroy_decompress is then a no-op
    ErrorManager error{};
    jpeg_progress_mgr progress{};

    ~Decoder() {
        jpeg_destroy_decompress(&info);
        if (file)
            std::fclose(file);
    }
};

// Rows handed to libjpeg at a time: the largest output group it produces at
// once is 2 (h2v2 fancy upsampling), more only saves calls.
constexpr int RowsPerRead = 16;

// Adobe writes CMYK JPEGs inverted (0 is full ink), as nearly every CMYK JPEG
// is; the colour is then ink-free value times black: R = C * K / 255. The
// division truncates, as Qt's JPEG reader does.
void CmykRowToBgr(const JSAMPLE* cmyk, uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int k = cmyk[3];
        bgr[0] = static_cast<uint8_t>(cmyk[2] * k / 255);
        bgr[1] = static_cast<uint8_t>(cmyk[1] * k / 255);
        bgr[2] = static_cast<uint8_t>(cmyk[0] * k / 255);
    }
}

void ZeroPadding(Bitmap& bitmap, int y) {
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * 3;
    std::memset(bitmap.Row(y) + rowBytes, 0, bitmap.Stride() - rowBytes);
}

// Returns false when libjpeg gave up; its message code is then in error.pub.msg_code.
// No object with a destructor may live in this frame (see ErrorManager).
bool DecodeJpeg(Decoder& d, Bitmap& out) {
    d.info.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = JumpOnError;
    d.error.pub.output_message = IgnoreMessage;
    d.error.tooManyScans = false;
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.progress.progress_monitor = CountScans;
    d.info.progress = &d.progress;
    jpeg_stdio_src(&d.info, d.file);
    jpeg_read_header(&d.info, TRUE);
    CheckPictureSize(d.info.image_width, d.info.image_height);
    if (const long long size = OpenFileSize(d.file); size >= 0)
        CheckPictureWork(d.info.image_width, d.info.image_height, size);

    // libjpeg-turbo turns grey, YCbCr and RGB pictures into B,G,R itself, but
    // not CMYK or YCCK: those come out as CMYK and are converted here.
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    d.info.scale_num = 1;
    d.info.scale_denom = 1;
    d.info.dct_method = JDCT_ISLOW;
    d.info.do_fancy_upsampling = TRUE;
    jpeg_calc_output_dimensions(&d.info);
    CheckPictureMemory(d.info.output_width, d.info.output_height, DecoderBytes(d.info));
    out.Resize(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height));
    jpeg_start_decompress(&d.info);

    // The CMYK row lives in libjpeg's image pool, freed with the decoder.
    JSAMPARRAY cmykRow = cmyk ? (*d.info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d.info),
                                                            JPOOL_IMAGE, d.info.output_width * 4, 1)
                              : nullptr;
    JSAMPROW rows[RowsPerRead];
    const int height = out.Height();
    // The stdio source never suspends, so every call delivers at least one row.
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        if (cmyk) {
            jpeg_read_scanlines(&d.info, cmykRow, 1);
            CmykRowToBgr(cmykRow[0], out.Row(y), out.Width());
        } else {
            const int count = std::min(RowsPerRead, height - y);
            for (int i = 0; i < count; ++i)
                rows[i] = out.Row(y + i);
            jpeg_read_scanlines(&d.info, rows, static_cast<JDIMENSION>(count));
        }
        for (int row = y; row < static_cast<int>(d.info.output_scanline); ++row)
            ZeroPadding(out, row);
    }
    return true;
}

std::runtime_error OpenError(const std::string& path, int error) {
    return std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(error));
}

} // namespace

bool ReadJpegFile(const std::string& path, Bitmap& out) {
    Decoder decoder;
    decoder.file = OpenForReading(path);
    if (!decoder.file)
        throw OpenError(path, errno);

    Bitmap decoded;
    const bool decodedWhole = DecodeJpeg(decoder, decoded);
    if (!decodedWhole && decoder.error.tooManyScans)
        throw std::runtime_error("Cannot read picture \"" + path + "\": a JPEG of more than " +
                                 std::to_string(MaxScans) + " scans");
    // No start-of-image marker: the file is no JPEG at all, and another reader may know it.
    if (!decodedWhole && decoder.error.pub.msg_code == JERR_NO_SOI)
        return false;
    if (!decodedWhole)
        throw std::runtime_error("JPEG error #" + std::to_string(decoder.error.pub.msg_code));
    out.Swap(decoded);
    return true;
}

}  // namespace velnora
