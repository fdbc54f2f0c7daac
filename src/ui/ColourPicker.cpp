// SPDX-License-Identifier: GPL-3.0-or-later

#include "ColourPicker.h"

#include "Colour.h"
#include "StandardColours.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>

namespace velnora {

namespace {

ColourPicker::ColourDialog& DialogOverride() {
    static ColourPicker::ColourDialog dialog;
    return dialog;
}

// Swatches of the drop-down, in pixels.
constexpr int SwatchSide = 18;

// A swatch that shows the keyboard's place: the style draws no focus frame on
// a flat tool button.
class Swatch : public QToolButton {
  public:
    using QToolButton::QToolButton;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter frame(this);
        frame.setPen(QPen(palette().color(QPalette::Highlight), 2));
        frame.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

QToolButton* MakeSwatch(QWidget* parent, uint32_t colour, const QString& name) {
    auto* swatch = new Swatch(parent);
    swatch->setObjectName(name);
    swatch->setFixedSize(SwatchSide, SwatchSide);
    swatch->setAutoRaise(true);
    // The arrow keys move the focus; PaletteKeys moves it, not Tab.
    swatch->setFocusPolicy(Qt::ClickFocus);
    QPixmap fill(SwatchSide - 6, SwatchSide - 6);
    fill.fill(ColourPicker::ToQColor(colour));
    {
        QPainter frame(&fill);
        frame.setPen(Qt::gray);
        frame.drawRect(fill.rect().adjusted(0, 0, -1, -1));
    }
    swatch->setIcon(QIcon(fill));
    swatch->setIconSize(fill.size());
    return swatch;
}

// The drop-down from the keyboard: the arrows move the focus over the palette's
// rows of 8 and the last row ("More Colors..." under the first seven columns,
// the custom swatch under the eighth) without wrapping, and Enter or Space
// picks the focused entry; Esc closes the drop-down, as every popup does.
class PaletteKeys : public QObject {
  public:
    // The 40 swatches row by row, then the button and the custom swatch.
    PaletteKeys(QWidget* popup, QList<QAbstractButton*> keys)
        : QObject(popup), keys_(std::move(keys)) {
        for (QAbstractButton* key : keys_)
            key->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto at = static_cast<int>(keys_.indexOf(static_cast<QAbstractButton*>(watched)));
        if (at < 0)
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            keys_[at]->click();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            keys_[Moved(at, key->key())]->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            return false;
        }
    }

  private:
    static constexpr int Columns = 8;
    static constexpr int Swatches = 40;
    static constexpr int More = Swatches;       // under columns 0..6
    static constexpr int Custom = Swatches + 1; // under column 7

    static int Moved(int at, int key) {
        const int row = at < Swatches ? at / Columns : Swatches / Columns;
        const int column = at < Swatches ? at % Columns : (at == More ? 0 : Columns - 1);
        const int lastRow = Swatches / Columns;
        switch (key) {
        case Qt::Key_Left:
            return at == Custom ? More : (at < Swatches && column > 0 ? at - 1 : at);
        case Qt::Key_Right:
            return at == More ? Custom : (at < Swatches && column < Columns - 1 ? at + 1 : at);
        case Qt::Key_Up:
            return row == 0 ? at : (row - 1) * Columns + column;
        default: // Qt::Key_Down
            if (row == lastRow)
                return at;
            if (row + 1 < lastRow)
                return at + Columns;
            return column == Columns - 1 ? Custom : More;
        }
    }

    QList<QAbstractButton*> keys_;
};

} // namespace

ColourPicker::ColourPicker(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, &ColourPicker::OpenPalette);
}

QColor ColourPicker::ToQColor(uint32_t colour) {
    const Colour channels{colour};
    return QColor(channels.Red(), channels.Green(), channels.Blue());
}

uint32_t ColourPicker::FromQColor(const QColor& colour) {
    return Colour::FromChannels(static_cast<uint8_t>(colour.red()),
                                static_cast<uint8_t>(colour.green()),
                                static_cast<uint8_t>(colour.blue()))
        .value;
}

void ColourPicker::SetColourDialogForTesting(ColourDialog dialog) {
    DialogOverride() = std::move(dialog);
}

void ColourPicker::SetSelectedColour(uint32_t colour) {
    if (StandardColourIndex(colour) < 0)
        custom_ = colour;
    Select(colour);
}

void ColourPicker::Select(uint32_t colour) {
    const bool changed = colour != selected_;
    selected_ = colour;
    update();
    if (changed)
        emit ColourChanged(colour);
}

void ColourPicker::OpenPalette() {
    auto* popup = new QFrame(this, Qt::Popup);
    popup->setObjectName(QStringLiteral("palette"));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The custom swatch at the right end of its row, as designed, also where
    // Qt's Persian translation turns the application right to left.
    popup->setLayoutDirection(Qt::LeftToRight);
    auto* column = new QVBoxLayout(popup);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    QList<QAbstractButton*> keys;
    for (int i = 0; i < static_cast<int>(StandardColours.size()); ++i) {
        QToolButton* swatch = MakeSwatch(popup, StandardColours[i], QStringLiteral("swatch%1").arg(i));
        keys << swatch;
        swatch->setCheckable(true);
        swatch->setChecked(StandardColours[i] == selected_);
        grid->addWidget(swatch, i / StandardColourColumns, i % StandardColourColumns);
        const uint32_t colour = StandardColours[i];
        connect(swatch, &QToolButton::clicked, popup, [this, popup, colour] {
            popup->close();
            Select(colour);
        });
    }
    column->addLayout(grid);
    auto* lastRow = new QHBoxLayout;
    auto* more = new QPushButton(QStringLiteral("More Colors..."), popup);
    more->setObjectName(QStringLiteral("moreColors"));
    more->setFocusPolicy(Qt::ClickFocus);
    more->setAutoDefault(false);
    connect(more, &QPushButton::clicked, popup, [this, popup] {
        popup->close();
        MoreColors();
    });
    QToolButton* customSwatch = MakeSwatch(popup, custom_, QStringLiteral("customSwatch"));
    connect(customSwatch, &QToolButton::clicked, popup, [this, popup] {
        popup->close();
        Select(custom_);
    });
    lastRow->addWidget(more, 1);
    lastRow->addWidget(customSwatch);
    column->addLayout(lastRow);
    keys << more << customSwatch;
    new PaletteKeys(popup, keys);
    // The keys start on the selected colour, or on the custom swatch that shows it.
    const int selected = StandardColourIndex(selected_);
    QAbstractButton* start = selected < 0 ? customSwatch : keys[selected];
    start->setFocus(Qt::PopupFocusReason);
    popup_ = popup;
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
}

void ColourPicker::MoreColors() {
    std::optional<uint32_t> chosen;
    if (DialogOverride()) {
        chosen = DialogOverride()(custom_);
    } else {
        // The custom-colour part of Qt's dialog is always shown, as "fully open" asks.
        const QColor colour = QColorDialog::getColor(ToQColor(custom_), this);
        if (colour.isValid())
            chosen = FromQColor(colour);
    }
    if (!chosen)
        return;
    custom_ = *chosen;
    Select(custom_);
}

void ColourPicker::keyPressEvent(QKeyEvent* event) {
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (event->key() == Qt::Key_F4 || altDown) {
        OpenPalette();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void ColourPicker::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    // The swatch fills the face left of a drop-down arrow, as on a combo box.
    constexpr int Margin = 4;
    constexpr int ArrowWidth = 11;
    const QRect swatch = rect().adjusted(Margin, Margin, -Margin - ArrowWidth, -Margin);
    painter.fillRect(swatch, ToQColor(selected_));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(swatch.right() + 2, 0, ArrowWidth, height());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

}  // namespace velnora
