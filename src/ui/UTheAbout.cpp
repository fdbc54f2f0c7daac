// SPDX-License-Identifier: GPL-3.0-or-later

#include "UTheAbout.h"

#include "Fonts.h"
#include "Glyphs.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace velnora {

QPixmap AboutPicture() {
    const QImage picture(QStringLiteral(":/about.bmp"));
    if (picture.isNull())
        return QPixmap();
    QPixmap shown = QPixmap::fromImage(picture);
    const QRgb clear = picture.pixel(0, picture.height() - 1);
    shown.setMask(QBitmap::fromImage(picture.createMaskFromColor(clear, Qt::MaskInColor)));
    return shown;
}

TTheAbout::TTheAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral(u"درباره نرم افزار"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(374, 177);
    setFont(TahomaFont(false));
    // Laid out left to right like the main window, also where Qt's Persian
    // translation turns the application right to left.
    setLayoutDirection(Qt::LeftToRight);
    if (QScreen* where = screen())
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    About = new QLabel(this);
    About->setObjectName(QStringLiteral("About"));
    About->setGeometry(0, 0, 374, 177);
    About->setPixmap(AboutPicture());

    Brepaint = new QPushButton(QStringLiteral(u"بازگشت"), this);
    Brepaint->setObjectName(QStringLiteral("Brepaint"));
    Brepaint->setGeometry(6, 146, 75, 25);
    Brepaint->setFont(TahomaFont(true));
    Brepaint->setIcon(Glyph(GlyphKind::Exit));
    Brepaint->setIconSize(QSize(16, 16));
    Brepaint->setAutoDefault(false);
    Brepaint->setFocus();
    connect(Brepaint, &QPushButton::clicked, this, &TTheAbout::BrepaintClick);
}

void TTheAbout::BrepaintClick() {
    close();
}

void TTheAbout::keyPressEvent(QKeyEvent* event) {
    // FormKeyDown: Esc closes, whatever modifier keys are held.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    event->ignore();
}

}  // namespace velnora
