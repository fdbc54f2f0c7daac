// SPDX-License-Identifier: GPL-3.0-or-later
// BMP reading (the platform's decoder: Qt's on Linux, GDI's on Windows) and
// writing (24-bit uncompressed, temporary file then rename).
#pragma once

#include "Bitmap.h"

#include <string>

namespace velnora {

// Loads any BMP Qt reads into the 24-bit work format; the path is opened by its
// bytes, whatever their encoding. Returns false with the reason in *why when
// the file is not a readable BMP, leaving out untouched. Throws
// std::runtime_error("Picture too large: <w> x <h>") for a BMP whose header
// claims more than MaxPicturePixels, more than the memory budget allows or
// more than its size may make (PictureLimit.h), and
// "Cannot read picture \"<path>\": damaged BMP file" for an uncompressed
// BMP cut short; never throws for other bad input.
bool ReadBmpFile(const std::string& path, Bitmap& out, std::string* why = nullptr);
// Writes a temporary file beside path and renames it over path; the new file
// keeps the mode of the one it replaces (a new one is the user's own, 0600).
// Throws std::runtime_error("Cannot create file \"<path>\". <reason>") when the
// file cannot be created or written; the old file at path is then left whole.
void WriteBmpFile(const std::string& path, const Bitmap& bitmap);

}  // namespace velnora
