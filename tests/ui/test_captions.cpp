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

using namespace velnora;

namespace {

// How far a control is grown to draw what it cuts off, in pixels.
constexpr int Margin = 12;

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

// The ink of a control's caption that the control cuts off: the control is
// drawn in its own rect and in one grown where its caption could run out; the
// grown one shows the whole caption, and every pixel of ink it has beyond the
// first one's is a piece of a letter, or a dot, that the first one lost (at
// its edges, or where it clips its text inside them).
QString CutInk(QWidget& control) {
    const Qt::Alignment alignment = CaptionAlignment(control);
    // Each row's background is taken from the side the caption is not aligned
    // to, where no letter stands.
    const auto inkOf = [alignment](const QImage& picture, const QRect& looked) {
        const int side = alignment & Qt::AlignLeft ? looked.right() : looked.left();
        int ink = 0;
        for (int y = looked.top(); y <= looked.bottom(); ++y) {
            const QRgb background = picture.pixel(side, y);
            for (int x = looked.left(); x <= looked.right(); ++x) {
                const QRgb pixel = picture.pixel(x, y);
                // Far enough from the background to be a letter's body, not its smoothed edge.
                constexpr int Threshold = 96;
                ink += std::abs(qRed(pixel) - qRed(background)) +
                           std::abs(qGreen(pixel) - qGreen(background)) +
                           std::abs(qBlue(pixel) - qBlue(background)) +
                           std::abs(qAlpha(pixel) - qAlpha(background)) >
                       Threshold;
            }
        }
        return ink;
    };
    // A button is drawn flat for the count: its face is shaded by its height,
    // which would change the smoothed edges of its letters, and its bevel lies
    // on its edges wherever they are.
    auto* button = qobject_cast<QPushButton*>(&control);
    const bool flat = button && button->isFlat();
    if (button)
        button->setFlat(true);
    const QRect own = control.geometry();
    const QImage ownPicture = control.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRect grown = Grown(own, alignment);
    control.setGeometry(grown);
    const QImage grownPicture = control.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    control.setGeometry(own);
    if (button)
        button->setFlat(flat);
    const int lost =
        inkOf(grownPicture, grownPicture.rect()) - inkOf(ownPicture, ownPicture.rect());
    if (lost <= 0)
        return QString();
    return QStringLiteral("%1 \"%2\" loses %3 pixels of ink at scale %4")
        .arg(control.objectName(), control.property("text").toString())
        .arg(lost)
        .arg(ownPicture.devicePixelRatio());
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
    // First: the shipped face is loaded once for the whole run.
    void CaptionsKeepTheirFaceAfterADrawing();
    void MainWindowCaptionsAreWhole_data() { Faces(); }
    void MainWindowCaptionsAreWhole();
    void OptionsWindowCaptionsAreWhole_data() { Faces(); }
    void OptionsWindowCaptionsAreWhole();
    void AboutButtonCaptionIsWhole_data() { Faces(); }
    void AboutButtonCaptionIsWhole();

  private:
    // A drawing loads the Persian face shipped for the calendar: the captions
    // stay whole in windows made after it too.
    static void Faces() {
        QTest::addColumn<bool>("drawn");
        QTest::newRow("before any drawing") << false;
        QTest::newRow("after a drawing") << true;
    }
    void Draw() {
        window->WorkBitmap = std::make_unique<Bitmap>();
        window->PaintCalendar(true);
        window->WorkBitmap.reset();
    }
    void DrawIfAsked() {
        QFETCH(bool, drawn);
        if (!drawn)
            return;
        Draw();
        // Windows made from here on take the faces as they now are.
        window = fixture->MakeWindow();
        window->show();
    }
};

void Captions::MainWindowCaptionsAreWhole() {
    DrawIfAsked();
    const QStringList cut = CutCaptions(*window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void Captions::OptionsWindowCaptionsAreWhole() {
    DrawIfAsked();
    WindowOptions start;
    start.scale = 400;
    Toptions options(window.get(), start);
    options.show();
    const QStringList cut = CutCaptions(options);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void Captions::AboutButtonCaptionIsWhole() {
    DrawIfAsked();
    TTheAbout about(window.get());
    about.show();
    const QString cut = CutInk(*about.Brepaint);
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
    qInfo() << QFontInfo(about.Brepaint->font()).family()
            << QFontInfo(window->TntLabel7->font()).family();
}

void Captions::CaptionsKeepTheirFaceAfterADrawing() {
    // The open window looks the same after the preview or a redraw.
    const QImage before = window->grab().toImage();
    Draw();
    QVERIFY(window->grab().toImage() == before);
}

VELNORA_UI_TEST_MAIN(Captions)
#include "test_captions.moc"
