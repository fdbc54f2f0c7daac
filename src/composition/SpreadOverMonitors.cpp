// SPDX-License-Identifier: GPL-3.0-or-later

#include "SpreadOverMonitors.h"

#include "Stretch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velnora {

namespace {

constexpr int BytesPerPixel = 3;

Bitmap Copy(const Bitmap& source) {
    Bitmap copy(source.Width(), source.Height());
    for (int y = 0; y < source.Height(); ++y)
        std::memcpy(copy.Row(y), source.Row(y), std::size_t{BytesPerPixel} * source.Width());
    return copy;
}

// Copies picture into box with its top-left corner at (x, y), clipped to the
// region of one monitor.
void Paste(Bitmap& box, const Bitmap& picture, int x, int y, const PixelRect& clip) {
    const int left = std::max({0, clip.x, x});
    const int right = std::min({box.Width(), clip.x + clip.width, x + picture.Width()});
    if (left >= right)
        return;
    const int top = std::max({0, clip.y, y});
    const int bottom = std::min({box.Height(), clip.y + clip.height, y + picture.Height()});
    for (int row = top; row < bottom; ++row)
        std::memcpy(box.Row(row) + std::size_t{BytesPerPixel} * left,
                    picture.Row(row - y) + std::size_t{BytesPerPixel} * (left - x),
                    std::size_t{BytesPerPixel} * (right - left));
}

void Fill(Bitmap& box, const PixelRect& region, Colour colour) {
    const int left = std::max(0, region.x), right = std::min(box.Width(), region.x + region.width);
    for (int row = std::max(0, region.y); row < std::min(box.Height(), region.y + region.height);
         ++row)
        for (int x = left; x < right; ++x) {
            uint8_t* pixel = box.Row(row) + std::size_t{BytesPerPixel} * x;
            pixel[0] = colour.Blue();
            pixel[1] = colour.Green();
            pixel[2] = colour.Red();
        }
}

int64_t Rounded(int64_t numerator, int64_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

} // namespace

PixelRect ShownPart(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight,
                    MonitorFit fit) {
    const int64_t w = pictureWidth, h = pictureHeight, sw = screenWidth, sh = screenHeight;
    switch (fit) {
    case MonitorFit::Fill: {
        const CropRegion crop = CoverCrop(pictureWidth, pictureHeight, screenWidth, screenHeight);
        return {crop.left, crop.top, crop.width, crop.height};
    }
    case MonitorFit::Stretch:
        return {0, 0, pictureWidth, pictureHeight};
    case MonitorFit::Fit:
        // The picture meets the screen's sides along its longer way; across
        // it the screen shows beyond it by as much on both sides.
        if (w * sh >= h * sw) {
            const int height = static_cast<int>(Rounded(w * sh, sw));
            return {0, (pictureHeight - height) / 2, pictureWidth, height};
        } else {
            const int width = static_cast<int>(Rounded(h * sw, sh));
            return {(pictureWidth - width) / 2, 0, width, pictureHeight};
        }
    case MonitorFit::Centre:
        // Centres divide by 2 truncating toward zero, as the desktops place pictures.
        return {(pictureWidth - screenWidth) / 2, (pictureHeight - screenHeight) / 2, screenWidth,
                screenHeight};
    case MonitorFit::TopLeft:
        break;
    }
    return {0, 0, screenWidth, screenHeight};
}

void SpreadOverMonitors(Bitmap& bitmap, int desktopWidth, int desktopHeight,
                        const std::vector<Monitor>& monitors, MonitorFit fit, Colour behind) {
    Bitmap box(desktopWidth, desktopHeight);
    std::memset(box.Data(), 0, box.SizeBytes());
    for (const Monitor& monitor : monitors) {
        const PixelRect& screen = monitor.screen;
        if (screen.width < 1 || screen.height < 1)
            continue;
        // Zoom crops as the proportions-kept stretch does; stretched squeezes.
        if (fit == MonitorFit::Fill || fit == MonitorFit::Stretch) {
            Bitmap shown = Copy(bitmap);
            if (fit == MonitorFit::Fill)
                CoverBitmap(shown, screen.width, screen.height);
            else
                StretchBitmap(shown, screen.width, screen.height);
            Paste(box, shown, screen.x, screen.y, screen);
            continue;
        }
        // The others lay the picture on the desktop's colour: unscaled with
        // the part's corner where the screen's is, or scaled to fit, centred.
        Fill(box, screen, behind);
        const PixelRect part =
            ShownPart(bitmap.Width(), bitmap.Height(), screen.width, screen.height, fit);
        if (fit != MonitorFit::Fit) {
            Paste(box, bitmap, screen.x - part.x, screen.y - part.y, screen);
            continue;
        }
        const auto fitted = [](int side, int screenSide, int partSide) {
            return static_cast<int>(
                std::max<int64_t>(1, Rounded(int64_t{side} * screenSide, partSide)));
        };
        Bitmap shown = Copy(bitmap);
        StretchBitmap(shown, fitted(shown.Width(), screen.width, part.width),
                      fitted(shown.Height(), screen.height, part.height));
        Paste(box, shown, screen.x + (screen.width - shown.Width()) / 2,
              screen.y + (screen.height - shown.Height()) / 2, screen);
    }
    bitmap = std::move(box);
}

}  // namespace velnora
