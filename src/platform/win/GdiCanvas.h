// SPDX-License-Identifier: GPL-3.0-or-later
// The Canvas on GDI, as the Windows desktop draws: a DIB section, ExtTextOutW
// and RoundRect.
#pragma once

#include "Bitmap.h"
#include "Canvas.h"

#include <memory>

namespace velnora {

// Draws on a DIB section holding a copy of the bitmap's pixels, copied back
// when the canvas goes (a DIB section cannot take memory it did not make).
// Throws std::runtime_error when GDI cannot make a section of that size.
std::unique_ptr<Canvas> MakeGdiCanvas(Bitmap& bitmap);

// The face the canvas draws with for the wanted one: the wanted face when it
// is installed, else the shipped Vazirmatn (registered for this process only).
std::wstring GdiFaceFor(const std::string& face);

}  // namespace velnora
