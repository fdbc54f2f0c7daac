// The Canvas on QPainter, drawing straight into a Bitmap's memory.
#pragma once

#include "Canvas.h"
#include "Bitmap.h"

#include <memory>

// Needs a QGuiApplication (offscreen is enough) for the fonts.
std::unique_ptr<Canvas> MakeQtCanvas(Bitmap& bitmap);
