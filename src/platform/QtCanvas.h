// SPDX-License-Identifier: GPL-3.0-or-later
// The Canvas on QPainter, drawing straight into a Bitmap's memory.
#pragma once

#include "Bitmap.h"
#include "Canvas.h"

#include <memory>

class QGuiApplication;

namespace velnora {

// Needs a QGuiApplication (offscreen is enough) for the fonts. Throws
// std::runtime_error when Qt cannot paint on a picture of that size.
std::unique_ptr<Canvas> MakeQtCanvas(Bitmap& bitmap);

// Fonts need a QGuiApplication. A program without windows (the command line,
// the benchmarks, the tests) keeps one of these alive while it draws: it starts
// Qt on the offscreen platform, which needs no display and never shows a
// window. When the process already has an application, it does nothing.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace velnora
