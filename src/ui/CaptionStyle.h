// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's own style, with one change: a one-line caption whose letters
// would run past the top or bottom of its place is moved up or down just
// enough to stay whole. The window's labels, boxes and buttons have the
// heights of Tahoma's lines; the fonts that stand in for Tahoma draw the dots
// below پ, چ and ی and the tail of ر lower than their line leaves room for, so
// a caption centred by its line loses them, more so at 150 % and 200 %. And a
// caption's left and right are those of its control, not of the application.
#pragma once

#include <QProxyStyle>

namespace velnora {

class CaptionStyle : public QProxyStyle {
    Q_OBJECT
  public:
    // Over the style of that name (the one the desktop or -style chose).
    explicit CaptionStyle(const QString& base) : QProxyStyle(base) {}

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

}  // namespace velnora
