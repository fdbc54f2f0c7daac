// SPDX-License-Identifier: GPL-3.0-or-later

#include "Fonts.h"

#include <QStringList>

void InstallFontSubstitutes() {
    // Narrow sans faces first, as Tahoma is narrow; the Arabic-script faces give
    // the Persian captions their letters when the Latin face has none. Only the
    // installed ones count (Debian: fonts-noto-core, fonts-dejavu-core, fonts-farsiweb).
    const QStringList substitutes = {
        QStringLiteral("Vazirmatn"),
        QStringLiteral("Noto Sans"),
        QStringLiteral("Noto Sans Arabic"),
        QStringLiteral("DejaVu Sans"),
        QStringLiteral("Nazli"),
        QStringLiteral("Liberation Sans"),
    };
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), substitutes);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), substitutes);
}

QFont TahomaFont(bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QFont SansSerifFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    // Set, not left to inherit: the path field sits in a panel of bold controls.
    font.setBold(false);
    return font;
}
