// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadingColour.h"

#include <algorithm>
#include <cmath>

namespace {

// WCAG 2's minimum contrast for normal-size text (success criterion 1.4.3).
constexpr double ReadableContrast = 4.5;

// WCAG 2's relative luminance: sRGB channels made linear, then weighted.
double Luminance(const QColor& colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
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
