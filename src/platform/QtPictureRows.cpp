// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtPictureRows.h"

#include <QImageReader>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velnora {

bool OpenFileByBytes(const std::string& path, QFile& file, std::string* why) {
    // Without waiting: a FIFO would block the open until someone writes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (why)
            *why = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (why)
            *why = NotRegularFile;
        ::close(fd);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (why)
            *why = file.errorString().toStdString();
        ::close(fd);
        return false;
    }
    return true;
}

int64_t QtImageBytes(QSize size, QImage::Format format) {
    const int64_t depth =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    // Qt pads every row to 32 bits.
    const int64_t rowBytes = (int64_t{size.width()} * depth + 31) / 32 * 4;
    return rowBytes * size.height();
}

QImage BlankQtImage(QSize size, QImage::Format format) {
    // 2 MiB, the x86-64 huge page; from 8 MiB on the rounding wastes under a quarter.
    constexpr std::size_t HugePage = std::size_t{2} << 20;
    const int64_t bytes = QtImageBytes(size, format);
    if (bytes < int64_t{4 * HugePage} || format == QImage::Format_Invalid)
        return QImage(size, format);
    const std::size_t rounded =
        (static_cast<std::size_t>(bytes) + HugePage - 1) / HugePage * HugePage;
    void* memory = std::aligned_alloc(HugePage, rounded);
    if (!memory)
        return {};
#if defined(MADV_HUGEPAGE)
    madvise(memory, rounded, MADV_HUGEPAGE); // only advice: a refusal changes the speed alone
#endif
    const qsizetype rowBytes = static_cast<qsizetype>(bytes / size.height());
    return QImage(
        static_cast<uchar*>(memory), size.width(), size.height(), rowBytes, format,
        [](void* data) { std::free(data); }, memory);
}

// Qt takes the limit in MiB; one more, so that an image of exactly that many
// bytes passes whichever way Qt rounds.
QtAllocationLimit::QtAllocationLimit(int64_t bytes) : previous_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(static_cast<int>(bytes / (1024 * 1024)) + 1);
}

QtAllocationLimit::~QtAllocationLimit() {
    QImageReader::setAllocationLimit(previous_);
}

void CopyQtImage(const QImage& image, Bitmap& out, AlphaRule alpha, const Backdrop& under) {
    Bitmap copy(image.width(), image.height());
    QImage::Format rowFormat = image.format();
    if (alpha == AlphaRule::Ignore && rowFormat == QImage::Format_ARGB32)
        rowFormat = QImage::Format_RGB32;
    // These hold 0xAARRGGBB words whose colour is what the desktop shows.
    const bool direct =
        rowFormat == QImage::Format_RGB32 || rowFormat == QImage::Format_ARGB32_Premultiplied;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
    // Premultiplied colours are the picture over black already: only a
    // coloured backdrop needs adding where the picture lets it through.
    const bool coloured = alpha == AlphaRule::OverBlack && image.hasAlphaChannel() &&
                          (under.primary != Colour{} || under.secondary != Colour{});
    std::vector<uint8_t> backdrop(coloured ? rowBytes : 0);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        QImage converted;
        if (!direct) {
            QImage row(line, image.width(), 1, image.bytesPerLine(), rowFormat);
            row.setColorTable(image.colorTable());
            converted = row.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            line = converted.constScanLine(0);
        }
        const QRgb* pixels = reinterpret_cast<const QRgb*>(line);
        uint8_t* to = copy.Row(y);
        for (int x = 0; x < image.width(); ++x, to += 3) {
            to[0] = static_cast<uint8_t>(qBlue(pixels[x]));
            to[1] = static_cast<uint8_t>(qGreen(pixels[x]));
            to[2] = static_cast<uint8_t>(qRed(pixels[x]));
        }
        if (coloured) {
            BackdropRow(under, image.width(), image.height(), y, backdrop.data());
            to = copy.Row(y);
            for (int x = 0; x < image.width(); ++x) {
                const int through = 255 - qAlpha(pixels[x]);
                for (int c = 0; c < 3; ++c, ++to)
                    *to = static_cast<uint8_t>(*to + (backdrop[3 * x + c] * through + 127) / 255);
            }
        }
        std::memset(copy.Row(y) + rowBytes, 0, copy.Stride() - rowBytes);
    }
    out.Swap(copy);
}

}  // namespace velnora
