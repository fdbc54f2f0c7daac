#include "Glyphs.h"

QIcon Glyph(GlyphKind kind) {
    // Freedesktop icon-naming names, with the program's own pictures as fallback.
    switch (kind) {
    case GlyphKind::OpenFolder:
        return QIcon::fromTheme(QStringLiteral("document-open"),
                                QIcon(QStringLiteral(":/glyphs/open-folder.png")));
    case GlyphKind::Tick:
        return QIcon::fromTheme(QStringLiteral("dialog-ok-apply"),
                                QIcon(QStringLiteral(":/glyphs/tick.png")));
    case GlyphKind::Picture:
        return QIcon::fromTheme(QStringLiteral("image-x-generic"),
                                QIcon(QStringLiteral(":/glyphs/picture.png")));
    case GlyphKind::Exit:
        return QIcon::fromTheme(QStringLiteral("application-exit"),
                                QIcon(QStringLiteral(":/glyphs/exit.png")));
    case GlyphKind::Information:
        return QIcon::fromTheme(QStringLiteral("dialog-information"),
                                QIcon(QStringLiteral(":/glyphs/information.png")));
    }
    return QIcon();
}

QIcon ProgramIcon() {
    QIcon own;
    own.addFile(QStringLiteral(":/icons/velnora-48.png"));
    own.addFile(QStringLiteral(":/icons/velnora-256.png"));
    return QIcon::fromTheme(QStringLiteral("io.github.velnora"), own);
}
