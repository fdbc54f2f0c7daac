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

QImage ComposeRootPicture(const QImage& picture, int width, int height, const std::string& tile,
                          const std::string& style) {
    QImage root(width, height, QImage::Format_RGB32);
    root.fill(Qt::black);
    if (picture.isNull() || root.isNull())
        return root;
    QPainter painter(&root);
    if (tile == "1") {
        for (int y = 0; y < height; y += picture.height())
            for (int x = 0; x < width; x += picture.width())
                painter.drawImage(x, y, picture);
    } else if (style == "1") {
        painter.drawImage(0, 0, picture);
    } else if (style == "2" || style == "6" || style == "10" || style == "22") {
        const Qt::AspectRatioMode mode = style == "2"   ? Qt::IgnoreAspectRatio
                                         : style == "6" ? Qt::KeepAspectRatio
                                                        : Qt::KeepAspectRatioByExpanding;
        const QImage scaled = picture.scaled(width, height, mode, Qt::SmoothTransformation);
        painter.drawImage(Centred(scaled.size(), width, height), scaled);
    } else {
        painter.drawImage(Centred(picture.size(), width, height), picture);
    }
    return root;
}

}  // namespace velnora
