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
        Bitmap shown = Copy(bitmap);
        // Zoom crops as the proportions-kept stretch does; stretched squeezes.
        if (fit == MonitorFit::Fill)
            CoverBitmap(shown, screen.width, screen.height);
        else
            StretchBitmap(shown, screen.width, screen.height);
        Paste(box, shown, screen.x, screen.y);
    }
    bitmap = std::move(box);
}

}  // namespace velnora
