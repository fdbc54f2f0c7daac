// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption whole at the desktop's scale (run at 100, 150 and 200 %, with
// QT_SCALE_FACTOR): no letter, and no dot of a letter, cut off by the edge of
// its control.
#include "UTheAbout.h"
#include "UiTesting.h"
#include "Uoptions.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

namespace {

// How far a control is grown to draw what it cuts off, in pixels.
constexpr int Margin = 12;
// A push button's bevel, drawn at its edges wherever they are, in pixels.
constexpr int Bevel = 4;

// Where the control holds its caption, as seen on the screen.
Qt::Alignment CaptionAlignment(const QWidget& control) {
    // A label lays out its text in the text's own direction, a button in its own.
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return QStyle::visualAlignment(
            label->text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight, label->alignment());
    if (qobject_cast<const QPushButton*>(&control))
        return Qt::AlignCenter;
    // Check boxes and radio buttons: the box, then the caption after it.
    return QStyle::visualAlignment(control.layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
}

// The control's rect grown by Margin on the sides where its caption can run
// out without moving: away from the side it is aligned to, both ways when centred.
QRect Grown(const QRect& own, Qt::Alignment alignment) {
    const int left = alignment & Qt::AlignLeft ? 0 : Margin;
    const int right = alignment & Qt::AlignRight ? 0 : Margin;
    const int top = alignment & Qt::AlignTop ? 0 : Margin;
    const int bottom = alignment & Qt::AlignBottom ? 0 : Margin;
    return own.adjusted(-left, -top, right, bottom);
}

// The ink of a control's caption that its own rect cuts off: the control is
// drawn in a rect grown where its caption could run out, and the ink of that
// picture outside its own rect is what the own rect loses.
QString CutInk(QWidget& control) {
    const QRect own = control.geometry();
    const QRect grown = Grown(own, CaptionAlignment(control));
    control.setGeometry(grown);
    const QImage picture = control.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    control.setGeometry(own);
    const qreal scale = picture.devicePixelRatio();
    const auto device = [scale](const QRect& logical) {
        return QRect(qRound(logical.x() * scale), qRound(logical.y() * scale),
                     qRound(logical.width() * scale), qRound(logical.height() * scale));
    };
    const QRect inside = device(own.translated(-grown.topLeft()));
    // Within the grown rect, but off a push button's bevel.
    QRect looked = picture.rect();
    if (qobject_cast<QPushButton*>(&control))
        looked = device(QRect(QPoint(), grown.size()).adjusted(Bevel, Bevel, -Bevel, -Bevel));
    const QRgb background = picture.pixel(inside.center().x(), looked.top());
    const auto differs = [background](QRgb pixel) {
        // Far enough from the background to be a letter's body, not its smoothed edge.
        constexpr int Threshold = 96;
        return std::abs(qRed(pixel) - qRed(background)) +
                   std::abs(qGreen(pixel) - qGreen(background)) +
                   std::abs(qBlue(pixel) - qBlue(background)) +
                   std::abs(qAlpha(pixel) - qAlpha(background)) >
               Threshold;
    };
    QRect cut;
    for (int y = looked.top(); y <= looked.bottom(); ++y)
        for (int x = looked.left(); x <= looked.right(); ++x)
            if (!inside.contains(x, y) && differs(picture.pixel(x, y)))
                cut |= QRect(x, y, 1, 1);
    if (cut.isNull())
        return QString();
    return QStringLiteral("%1 \"%2\": ink at %3,%4 %5x%6 outside %7,%8 %9x%10")
        .arg(control.objectName(), control.property("text").toString())
        .arg(cut.x())
        .arg(cut.y())
        .arg(cut.width())
        .arg(cut.height())
        .arg(inside.x())
        .arg(inside.y())
        .arg(inside.width())
        .arg(inside.height());
}

QStringList CutCaptions(QWidget& window) {
    QStringList cut;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString caption = control->property("text").toString();
        const bool captioned =
            qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control);
        if (!captioned || caption.isEmpty() || !control->isVisibleTo(&window))
            continue;
        const QString ink = CutInk(*control);
        if (!ink.isEmpty())
            cut << ink;
    }
    return cut;
}

} // namespace

class Captions : public ShownWindowTest {
    Q_OBJECT
  private slots:
    void MainWindowCaptionsAreWhole();
    void OptionsWindowCaptionsAreWhole();
    void AboutButtonCaptionIsWhole();
};

void Captions::MainWindowCaptionsAreWhole() {
    const QStringList cut = CutCaptions(*window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void Captions::OptionsWindowCaptionsAreWhole() {
    WindowOptions start;
    start.scale = 400;
    Toptions options(window.get(), start);
    options.show();
    const QStringList cut = CutCaptions(options);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void Captions::AboutButtonCaptionIsWhole() {
    TTheAbout about(window.get());
    about.show();
    const QString cut = CutInk(*about.Brepaint);
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
}

VELNORA_UI_TEST_MAIN(Captions)
#include "test_captions.moc"
