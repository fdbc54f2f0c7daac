// SPDX-License-Identifier: GPL-3.0-or-later

#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace velnora {

void InstallFontSubstitutes() {
    // Narrow sans faces first, as Tahoma is narrow; the Arabic-script faces give
    // the Persian captions their letters when the Latin face has none. Only the
    // installed ones count (Debian: fonts-noto-core, fonts-dejavu-core, fonts-farsiweb).
    QStringList substitutes = {
        QStringLiteral("Noto Sans"),       QStringLiteral("Noto Sans Arabic"),
        QStringLiteral("DejaVu Sans"),     QStringLiteral("Nazli"),
        QStringLiteral("Liberation Sans"),
    };
    // An installed Vazirmatn comes first; the copy the canvas loads from the
    // program's resources later does not count: it has no bold face, and the
    // captions of open windows would change their face at the first drawing.
    if (QFontDatabase::hasFamily(QStringLiteral("Vazirmatn")))
        substitutes.prepend(QStringLiteral("Vazirmatn"));
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

}  // namespace velnora
