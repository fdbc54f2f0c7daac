// SPDX-License-Identifier: GPL-3.0-or-later
// The desktops' colour texts, read by Qt's colour parser (Linux only: the
// desktops that write them are).

#include "Backdrop.h"

#include <QColor>

namespace velnora {

std::optional<Colour> ColourOfText(const std::string& text) {
    const QColor colour = QColor::fromString(QString::fromStdString(text));
    if (!colour.isValid())
        return std::nullopt;
    return Colour::FromChannels(static_cast<uint8_t>(colour.red()),
                                static_cast<uint8_t>(colour.green()),
                                static_cast<uint8_t>(colour.blue()));
}

}  // namespace velnora
