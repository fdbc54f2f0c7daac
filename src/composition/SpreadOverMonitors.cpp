// SPDX-License-Identifier: GPL-3.0-or-later

#include "SpreadOverMonitors.h"

#include "Stretch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velnora {

namespace {

constexpr int BytesPerPixel = 3;

// The part of a source of sw x sh that covers a monitor of mw x mh with the
// proportions kept: the whole of the side that fits, centred on the other
// (centring truncates, as the placement does).
PixelRect CoverPart(int sw, int sh, int mw, int mh) {
    if (int64_t{sw} * mh > int64_t{mw} * sh) {
        const int w = std::max(1, static_cast<int>(int64_t{sh} * mw / mh));
        return {(sw - w) / 2, 0, w, sh};
    }
    const int h = std::max(1, static_cast<int>(int64_t{sw} * mh / mw));
    return {0, (sh - h) / 2, sw, h};
}

Bitmap Copy(const Bitmap& source, const PixelRect& part) {
    Bitmap copy(part.width, part.height);
    for (int y = 0; y < part.height; ++y)
        std::memcpy(copy.Row(y), source.Row(part.y + y) + std::size_t{BytesPerPixel} * part.x,
                    std::size_t{BytesPerPixel} * part.width);
    return copy;
}

// Copies picture into box with its top-left corner at (x, y), clipped to the box.
void Paste(Bitmap& box, const Bitmap& picture, int x, int y) {
    const int left = std::max(0, x), right = std::min(box.Width(), x + picture.Width());
    if (left >= right)
        return;
    for (int row = std::max(0, y); row < std::min(box.Height(), y + picture.Height()); ++row)
        std::memcpy(box.Row(row) + std::size_t{BytesPerPixel} * left,
                    picture.Row(row - y) + std::size_t{BytesPerPixel} * (left - x),
                    std::size_t{BytesPerPixel} * (right - left));
}

} // namespace

void SpreadOverMonitors(Bitmap& bitmap, int desktopWidth, int desktopHeight,
                        const std::vector<Monitor>& monitors, MonitorFit fit) {
    Bitmap box(desktopWidth, desktopHeight);
    std::memset(box.Data(), 0, box.SizeBytes());
    for (const Monitor& monitor : monitors) {
        const PixelRect& screen = monitor.screen;
        if (screen.width < 1 || screen.height < 1)
            continue;
        Bitmap shown = Copy(bitmap, fit == MonitorFit::Fill
                                        ? CoverPart(bitmap.Width(), bitmap.Height(),
                                                    screen.width, screen.height)
                                        : PixelRect{0, 0, bitmap.Width(), bitmap.Height()});
        StretchBitmap(shown, screen.width, screen.height);
        Paste(box, shown, screen.x, screen.y);
    }
    bitmap = std::move(box);
}

}  // namespace velnora
