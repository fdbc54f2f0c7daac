// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt's image readers share: opening a file by its byte path, their memory
// in the budget, and the copy of a decoded QImage into the work format.
#pragma once

#include "Backdrop.h"
#include "Bitmap.h"
#include "PictureLimit.h"

#include <QFile>
#include <QImage>

#include <cstdint>
#include <string>

namespace velnora {

// Opens path for reading whatever the encoding of its bytes: Qt's own file
// names are Unicode and lose bytes that are not UTF-8. False, with the
// system's reason in *why, when the system refuses or the path names no
// regular file (NotRegularFile).
bool OpenFileByBytes(const std::string& path, QFile& file, std::string* why = nullptr);

// The bytes of a QImage of that size and format (32 bits a pixel for a format
// Qt does not tell in advance).
int64_t QtImageBytes(QSize size, QImage::Format format);

// A blank image for a reader to decode into (Qt's readers reuse an image of the
// right size and format), in memory advised to the kernel as huge pages where
// it is large: a decoder's first touch of a picture of hundreds of megabytes
// then costs a few hundred page faults rather than many thousands. A null
// image when the memory is refused.
QImage BlankQtImage(QSize size, QImage::Format format);

// Qt's allocation limit for one picture of `bytes`, set while the object
// lives. The limit is one for the whole process (QImageReader's setter is
// static), so the one in force before is put back at the end: a later plain
// QImage of a larger picture, the root window's for one, is not refused.
class QtAllocationLimit {
  public:
    explicit QtAllocationLimit(int64_t bytes);
    ~QtAllocationLimit();
    QtAllocationLimit(const QtAllocationLimit&) = delete;
    QtAllocationLimit& operator=(const QtAllocationLimit&) = delete;

  private:
    int previous_;
};

// How transparent pixels come out in the work format, which has no alpha.
enum class AlphaRule {
    Ignore,    // the colour channels as they are (BMP: many writers leave alpha zero)
    OverBlack, // composed over the backdrop given, black unless given
};

// Copies image into out row by row, so that no second whole copy of the
// picture is ever held.
void CopyQtImage(const QImage& image, Bitmap& out, AlphaRule alpha, const Backdrop& under = {});

}  // namespace velnora
