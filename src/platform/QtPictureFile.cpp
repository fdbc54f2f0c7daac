// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtPictureFile.h"

#include "QtPictureRows.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velnora {

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

// Qt's SVG renderer sets no bound on its work, and no measure of a drawing
// foretells it: a path of 16 KB whose lines cross the picture takes 7 s at
// 1920 x 1080, four times that path 45 s. So a drawing is drawn by a child
// process given DrawingSeconds of processor time (then SIGXCPU, and SIGKILL a
// second later), into memory it shares with this one. Origin: the wallpapers
// desktops ship draw in under 0.3 s at 3840 x 2160; the load stays within 2 s.
constexpr rlim_t DrawingSeconds = 1;
// The wait for the child whatever it does, even stopped by a lock another
// thread held at the fork: a bound for a busy machine, not a measure of speed.
constexpr int DrawingWaitMilliseconds = 60'000;
constexpr int OutOfTime = 3; // the child's status when its time ran out

// Draws into image (ARGB32_Premultiplied, in shared memory); false when the
// drawing is damaged, throws when it takes more than its time.
bool DrawInChild(QImageReader& reader, QImage& image, const std::string& path) {
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        std::signal(SIGXCPU, [](int) { _exit(OutOfTime); });
        const rlimit time{DrawingSeconds, DrawingSeconds + 1};
        setrlimit(RLIMIT_CPU, &time);
        QImage drawn;
        if (!reader.read(&drawn) || drawn.size() != image.size())
            _exit(1);
        drawn.convertTo(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(image.scanLine(y), drawn.constScanLine(y),
                        static_cast<std::size_t>(image.width()) * 4);
        _exit(0);
    }
    int status = 0;
    for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; waited += 10) {
        if (waited >= DrawingWaitMilliseconds) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        usleep(10'000);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    if ((WIFEXITED(status) && WEXITSTATUS(status) == OutOfTime) || WIFSIGNALED(status))
        throw std::runtime_error("Cannot read picture \"" + path +
                                 "\": an SVG drawing that takes too long to draw");
    return false;
}

// A blank image in memory shared with a child process; null when refused.
QImage SharedQtImage(QSize size) {
    struct Mapping {
        void* memory;
        std::size_t bytes;
    };
    const std::size_t bytes = static_cast<std::size_t>(size.width()) * 4 * size.height();
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return {};
    return QImage(
        static_cast<uchar*>(memory), size.width(), size.height(),
        static_cast<qsizetype>(size.width()) * 4, QImage::Format_ARGB32_Premultiplied,
        [](void* info) {
            const Mapping* mapping = static_cast<Mapping*>(info);
            munmap(mapping->memory, mapping->bytes);
            delete mapping;
        },
        new Mapping{memory, bytes});
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
            const QSize wanted(drawingSize.width, drawingSize.height);
            size = drawingSize.keepProportions && !size.isEmpty()
                       ? size.scaled(wanted, Qt::KeepAspectRatioByExpanding)
                       : wanted;
            reader.setScaledSize(size);
        }
        if (size.width() < 1 || size.height() < 1)
            throw damaged();
        const int64_t qtBytes = QtImageBytes(size, reader.imageFormat());
        // An animated picture needs its canvas beside the frame.
        const int images =
            reader.supportsAnimation() ? std::max(2, format.qtImages) : format.qtImages;
        CheckPictureMemory(size.width(), size.height(), qtBytes * images);
        CheckPictureWork(size.width(), size.height(), file.size());
        // Qt's own guard too, for a header that understates the format.
        const QtAllocationLimit limit(qtBytes * images);
        if (IsDrawing(format)) {
            reader.setBackgroundColor(Qt::black);
            QImage image = SharedQtImage(size);
            if (image.isNull() || !DrawInChild(reader, image, path))
                throw damaged();
            CopyQtImage(image, out, AlphaRule::OverBlack);
            return true;
        }
        QImage image = BlankQtImage(size, reader.imageFormat());
        if (!reader.read(&image) || image.isNull())
            throw damaged();
        CopyQtImage(image, out, AlphaRule::OverBlack, under);
        return true;
    }
    return false;
}

}  // namespace velnora
