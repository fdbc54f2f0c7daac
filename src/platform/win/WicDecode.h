// SPDX-License-Identifier: GPL-3.0-or-later
// PNG, GIF (its first frame) and TIFF (its first page) through the Windows
// Imaging Component, the system's own decoders.
#pragma once

#include "PictureRows.h"

#include <guiddef.h>

namespace velnora {

// Decodes path, a file of fileBytes in the container format given (one of
// WIC's GUID_ContainerFormat values), into out over the backdrop. Throws
// DamagedPicture when the decoder cannot read it, PictureTooLarge beyond the
// limits, and the system's message when WIC itself is missing.
void DecodeWicFile(const std::string& path, int64_t fileBytes, const GUID& container,
                   const PictureFormat& format, Bitmap& out, const Backdrop& under);

}  // namespace velnora
