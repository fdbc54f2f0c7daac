// SPDX-License-Identifier: GPL-3.0-or-later

#include "Backdrop.h"

#include <cstring>

namespace velnora {

namespace {

// The channel at step of last steps along the gradient, rounded.
uint8_t Between(uint8_t from, uint8_t to, int step, int last) {
    if (last <= 0)
        return from;
    return static_cast<uint8_t>((from * (last - step) + to * step + last / 2) / last);
}

void PutPixel(uint8_t* to, const Backdrop& backdrop, int step, int last) {
    const Colour first = backdrop.primary, second = backdrop.secondary;
    *to++ = Between(first.Blue(), second.Blue(), step, last);
    *to++ = Between(first.Green(), second.Green(), step, last);
    *to = Between(first.Red(), second.Red(), step, last);
}

} // namespace

void BackdropRow(const Backdrop& backdrop, int width, int height, int y, uint8_t* row) {
    for (int x = 0; x < width; ++x, row += 3) {
        switch (backdrop.shading) {
        case Backdrop::Shading::Solid:
            PutPixel(row, backdrop, 0, 0);
            break;
        case Backdrop::Shading::Horizontal:
            PutPixel(row, backdrop, x, width - 1);
            break;
        case Backdrop::Shading::Vertical:
            PutPixel(row, backdrop, y, height - 1);
            break;
        }
    }
}

void PaintBackdrop(const Backdrop& backdrop, PictureSize size, Bitmap& out) {
    CheckPictureSize(size.width, size.height);
    Bitmap picture(size.width, size.height);
    const std::size_t rowBytes = static_cast<std::size_t>(size.width) * 3;
    for (int y = 0; y < size.height; ++y) {
        BackdropRow(backdrop, size.width, size.height, y, picture.Row(y));
        std::memset(picture.Row(y) + rowBytes, 0, picture.Stride() - rowBytes);
    }
    out.Swap(picture);
}

// GNOME and Cinnamon name the gradients "horizontal" and "vertical", MATE
// "horizontal-gradient" and "vertical-gradient" (org.mate.background's enum).
Backdrop::Shading ShadingOfText(const std::string& text) {
    if (text == "horizontal" || text == "horizontal-gradient")
        return Backdrop::Shading::Horizontal;
    if (text == "vertical" || text == "vertical-gradient")
        return Backdrop::Shading::Vertical;
    return Backdrop::Shading::Solid;
}

}  // namespace velnora
