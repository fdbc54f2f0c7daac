// SPDX-License-Identifier: GPL-3.0-or-later
// The desktops' colour texts, read by Qt's colour parser (Linux only: the
// desktops that write them are).

#include "Backdrop.h"

#include <QColor>

namespace velnora {

std::optional<uint32_t> ColourOfText(const std::string& text) {
    const QColor colour = QColor::fromString(QString::fromStdString(text));
    if (!colour.isValid())
        return std::nullopt;
    return static_cast<uint32_t>(colour.rgb() & 0xffffff);
}

}  // namespace velnora
