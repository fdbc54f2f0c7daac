// SPDX-License-Identifier: GPL-3.0-or-later
// The button glyphs and the program icon: the desktop theme's icon when it has
// one, else the program's own picture from the resources.
#pragma once

#include <QIcon>

namespace velnora {

enum class GlyphKind { OpenFolder, Tick, Picture, Exit, Information, Options };

QIcon Glyph(GlyphKind kind);
QIcon ProgramIcon();

}  // namespace velnora
