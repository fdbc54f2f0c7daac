// SPDX-License-Identifier: GPL-3.0-or-later

#include "RootPicture.h"

#include <QPainter>

namespace velnora {

namespace {

// Centres divide by 2 truncating toward zero, as the program places pictures.
QPoint Centred(const QSize& picture, int width, int height) {
    return {(width - picture.width()) / 2, (height - picture.height()) / 2};
}

} // namespace

QImage ComposeRootPicture(const QImage& picture, int width, int height,
                          std::optional<WallpaperLayout> layout) {
    QImage root(width, height, QImage::Format_RGB32);
    root.fill(Qt::black);
    if (picture.isNull() || root.isNull())
        return root;
    QPainter painter(&root);
    switch (layout.value_or(WallpaperLayout::Centre)) {
    case WallpaperLayout::Tile:
        for (int y = 0; y < height; y += picture.height())
            for (int x = 0; x < width; x += picture.width())
                painter.drawImage(x, y, picture);
        break;
    case WallpaperLayout::Own:
        painter.drawImage(0, 0, picture);
        break;
    case WallpaperLayout::Centre:
        painter.drawImage(Centred(picture.size(), width, height), picture);
        break;
    case WallpaperLayout::Stretch:
    case WallpaperLayout::Fit:
    case WallpaperLayout::Fill:
    case WallpaperLayout::Span: {
        const Qt::AspectRatioMode mode = layout == WallpaperLayout::Stretch ? Qt::IgnoreAspectRatio
                                         : layout == WallpaperLayout::Fit
                                             ? Qt::KeepAspectRatio
                                             : Qt::KeepAspectRatioByExpanding;
        const QImage scaled = picture.scaled(width, height, mode, Qt::SmoothTransformation);
        painter.drawImage(Centred(scaled.size(), width, height), scaled);
        break;
    }
    }
    return root;
}

}  // namespace velnora
