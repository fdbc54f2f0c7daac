// SPDX-License-Identifier: GPL-3.0-or-later

#include "CaptionStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>
#include <QtMath>

#include <algorithm>

namespace velnora {

void CaptionStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                const QPalette& palette, bool enabled, const QString& text,
                                QPalette::ColorRole textRole) const {
    // Left and right are the control's own: under Qt's Persian translation the
    // application runs right to left, and the painter would turn a left of the
    // left-to-right main window (a button's caption beside its glyph) round.
    if (const auto* control = dynamic_cast<const QWidget*>(painter->device()))
        flags = (flags & ~Qt::AlignHorizontal_Mask) |
                QStyle::visualAlignment(control->layoutDirection(),
                                        Qt::Alignment(flags & Qt::AlignHorizontal_Mask));
    QRect place = rect;
    if ((flags & Qt::AlignVCenter) && !text.isEmpty() && !text.contains(QLatin1Char('\n'))) {
        // Where the centred line puts the letters' ink, top and bottom.
        const QFontMetricsF metrics(painter->font());
        const QRectF ink = metrics.tightBoundingRect(text);
        const qreal baseline =
            rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
        const qreal below = baseline + ink.bottom() - (rect.bottom() + 1);
        const qreal above = rect.top() - (baseline + ink.top());
        // Moved only as far as the room on the other side allows.
        int shift = 0;
        if (below > 0)
            shift = -std::min(qCeil(below), std::max(0, qFloor(-above)));
        else if (above > 0)
            shift = std::min(qCeil(above), std::max(0, qFloor(-below)));
        // The text is clipped at the place it is given: grown up and down
        // alike (the line stays centred where it was), it clips no letter;
        // the control's own edges still bound it.
        const int room = qCeil(metrics.height());
        place = rect.translated(0, shift).adjusted(0, -room, 0, room);
    }
    QProxyStyle::drawItemText(painter, place, flags, palette, enabled, text, textRole);
}

}  // namespace velnora
