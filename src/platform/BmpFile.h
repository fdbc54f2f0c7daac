// BMP reading (Qt's reader forced to the BMP format) and writing (24-bit
// uncompressed, temporary file then rename).
#pragma once

#include "Bitmap.h"

#include <string>

// Loads any BMP Qt reads into the 24-bit work format. Returns false with the
// reason in *why when the file is not a readable BMP; never throws for bad input.
bool ReadBmpFile(const std::string& path, Bitmap& out, std::string* why = nullptr);
// Throws std::runtime_error("Cannot create file \"<path>\". <reason>").
void WriteBmpFile(const std::string& path, const Bitmap& bitmap);
