// SPDX-License-Identifier: GPL-3.0-or-later

#include "Glyphs.h"

#include <array>

namespace velnora {

namespace {

struct GlyphSource {
    const char* themeName; // freedesktop icon-naming name
    const char* ownPicture;
};

// In the order of GlyphKind.
constexpr std::array<GlyphSource, 6> Sources = {{
    {"document-open", ":/glyphs/open-folder.png"},
    {"dialog-ok-apply", ":/glyphs/tick.png"},
    {"image-x-generic", ":/glyphs/picture.png"},
    {"application-exit", ":/glyphs/exit.png"},
    {"dialog-information", ":/glyphs/information.png"},
    {"preferences-system", ":/glyphs/options.png"},
}};

} // namespace

QIcon Glyph(GlyphKind kind) {
    const GlyphSource& source = Sources[static_cast<std::size_t>(kind)];
    return QIcon::fromTheme(QString::fromLatin1(source.themeName),
                            QIcon(QString::fromLatin1(source.ownPicture)));
}

QIcon ProgramIcon() {
    QIcon own;
    own.addFile(QStringLiteral(":/icons/velnora-48.png"));
    own.addFile(QStringLiteral(":/icons/velnora-256.png"));
    return QIcon::fromTheme(QStringLiteral("io.github.velnora"), own);
}

}  // namespace velnora
