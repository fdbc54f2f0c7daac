// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP decoder of the Linux build: Qt's reader forced to the BMP format.

#include "BmpDecode.h"

#include "PictureLimit.h"
#include "QtPictureRows.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstdlib>

namespace velnora {

bool DecodeBmpFile(const std::string& path, Bitmap& out, std::string* why) {
    // The format is forced: a BMP is recognised by its content as a BMP, never
    // by its name, and nothing else is tried here.
    // Opened here rather than by the reader, which warns on standard error
    // about a file it cannot open, and by the path's bytes, whatever their encoding.
    QFile file;
    if (!OpenFileByBytes(path, file, why))
        return false;
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    const auto fail = [&](const char* reason) {
        if (why)
            *why = reason ? reason : reader.errorString().toStdString();
        return false;
    };
    // Qt gives a top-down picture's height as the header has it, negative.
    const QSize size = reader.size();
    const int width = size.width();
    const int height = std::abs(size.height());
    if (width < 1 || height < 1)
        return fail(nullptr);
    // Qt's decoder holds the whole picture in its own form (RGB32 for most)
    // beside the copy in the work format.
    const int64_t qtBytes = QtImageBytes(QSize(width, height), reader.imageFormat());
    CheckPictureMemory(width, height, qtBytes);
    const QtAllocationLimit limit(qtBytes);
    // Qt reuses an image of the right size and format, and leaves the rows a
    // truncated file lacks as it finds them: start from black, not from
    // whatever the memory held.
    QImage image = BlankQtImage(QSize(width, height), reader.imageFormat());
    if (image.isNull())
        return fail("not enough memory");
    image.fill(0);
    if (!reader.read(&image) || image.isNull())
        return fail(nullptr);
    // The alpha of a 32-bit BMP is ignored, as the desktop ignores it: many
    // writers leave it zero, and blending would turn such a picture black.
    CopyQtImage(image, out, AlphaRule::Ignore);
    return true;
}

}  // namespace velnora
