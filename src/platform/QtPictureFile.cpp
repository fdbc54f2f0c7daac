// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtPictureFile.h"

#include "QtPictureRows.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <stdexcept>

namespace {

struct Format {
    const char* qtName; // Qt's plugin key
    const char* shown;  // as the user is told
    // How many whole pictures in Qt's form the reader may hold at once: the
    // GIF reader keeps a backing store of the frame beside the picture, and
    // an animated WebP is composed on a canvas beside the decoded frame.
    int qtImages;
};

// Tried in this order; each reader checks the first bytes for its own mark.
// The SVG reader takes any XML and gzip data (svgz), so it comes last.
constexpr Format Formats[] = {
    {"png", "PNG", 1}, {"webp", "WebP", 1}, {"tiff", "TIFF", 1},
    {"gif", "GIF", 2}, {"svg", "SVG", 1},
};

// libpng and libtiff report damage through Qt's warnings, on standard error;
// the program logs nothing, and the damage reaches the user as its own error.
class QuietQtWarnings {
  public:
    QuietQtWarnings() : previous_(qInstallMessageHandler(Drop)) {}
    ~QuietQtWarnings() { qInstallMessageHandler(previous_); }
    QuietQtWarnings(const QuietQtWarnings&) = delete;
    QuietQtWarnings& operator=(const QuietQtWarnings&) = delete;

  private:
    static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

bool IsDrawing(const Format& format) {
    return format.shown == std::string("SVG");
}

} // namespace

bool ReadQtPictureFile(const std::string& path, Bitmap& out, PictureSize drawingSize,
                       const Backdrop& under) {
    QFile file;
    if (!OpenFileByBytes(path, file))
        return false;
    const QuietQtWarnings quiet;
    for (const Format& format : Formats) {
        file.seek(0);
        QImageReader reader(&file, format.qtName);
        reader.setAutoDetectImageFormat(false);
        if (!reader.canRead())
            continue;
        const auto damaged = [&] {
            return std::runtime_error("Cannot read picture \"" + path + "\": damaged " +
                                      format.shown + " file");
        };
        QSize size = reader.size();
        if (IsDrawing(format) && drawingSize.width > 0 && drawingSize.height > 0) {
            size = QSize(drawingSize.width, drawingSize.height);
            reader.setScaledSize(size);
        }
        if (size.width() < 1 || size.height() < 1)
            throw damaged();
        const int64_t qtBytes = QtImageBytes(size, reader.imageFormat());
        // An animated picture needs its canvas beside the frame.
        const int images =
            reader.supportsAnimation() ? std::max(2, format.qtImages) : format.qtImages;
        CheckPictureMemory(size.width(), size.height(), qtBytes * images);
        // Qt's own guard too, for a header that understates the format.
        reader.setAllocationLimit(QtAllocationLimitMiB(qtBytes * images));
        if (IsDrawing(format))
            reader.setBackgroundColor(Qt::black);
        QImage image = BlankQtImage(size, reader.imageFormat());
        if (!reader.read(&image) || image.isNull())
            throw damaged();
        CopyQtImage(image, out, AlphaRule::OverBlack, under);
        return true;
    }
    return false;
}
