// SPDX-License-Identifier: GPL-3.0-or-later

#include "Upreview.h"

#include "Application.h"
#include "Stretch.h"
#include "Umain.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace velnora {

namespace {

QImage ImageOf(const Bitmap& bitmap) {
    return QImage(bitmap.Data(), bitmap.Width(), bitmap.Height(),
                  static_cast<qsizetype>(bitmap.Stride()), QImage::Format_BGR888);
}

} // namespace

Tpreview::Tpreview(Tmain& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("preview"));
    setWindowTitle(QStringLiteral(u"پيش نمايش"));
    // A tool window's border: a title bar with only the close box, fixed size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(PictureWidth, PictureHeight);
    if (QScreen* where = screen())
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    FormCreate();
}

Tpreview::~Tpreview() {
    main_.WorkBitmap.reset();
}

void Tpreview::FormCreate() {
    main_.WorkBitmap = std::make_unique<Bitmap>();
    // An error ends the composing; the window still opens, showing what is there.
    RunEventHandler([this] {
        main_.PaintCalendar(true);
        if (main_.WorkBitmap && !main_.WorkBitmap->Empty())
            StretchBitmap(*main_.WorkBitmap, PictureWidth, PictureHeight);
    });
}

QImage Tpreview::Picture() const {
    if (!main_.WorkBitmap || main_.WorkBitmap->Empty())
        return QImage();
    return ImageOf(*main_.WorkBitmap).copy();
}

void Tpreview::paintEvent(QPaintEvent*) {
    // FormPaint: the picture already has the client area's size.
    if (!main_.WorkBitmap || main_.WorkBitmap->Empty())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, ImageOf(*main_.WorkBitmap));
}

void Tpreview::keyPressEvent(QKeyEvent* event) {
    // Esc closes, whatever modifier keys are held.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    event->ignore();
}

void Tpreview::done(int result) {
    // Every way of closing ends here: free the picture.
    main_.WorkBitmap.reset();
    QDialog::done(result);
}

}  // namespace velnora
