// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadingColour.h"

#include "Compose.h"

#include <algorithm>

namespace velnora {

namespace {

// WCAG 2's minimum contrast for normal-size text (success criterion 1.4.3).
constexpr double ReadableContrast = 4.5;

double Luminance(const QColor& colour) {
    return RelativeLuminance(Colour::FromChannels(static_cast<uint8_t>(colour.red()),
                                                  static_cast<uint8_t>(colour.green()),
                                                  static_cast<uint8_t>(colour.blue())));
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor HeadingBlue(const QColor& window, const QColor& background) {
    // The designed heading colour.
    const QColor blue(0, 0, 255);
    if (ContrastRatio(window, Qt::black) >= ContrastRatio(window, Qt::white))
        return blue;
    // Red and green raised together keep the hue blue while it lightens.
    for (int lift = 0; lift <= 255; ++lift) {
        const QColor lighter(lift, lift, 255);
        if (ContrastRatio(lighter, background) >= ReadableContrast)
            return lighter;
    }
    return QColor(Qt::white);
}

}  // namespace velnora
