// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures that the root window of a bare X server showed, kept losslessly as
// BMP files in $XDG_STATE_HOME/velnora/, so that the wallpaper values (and so
// the backup) can name a picture that only ever lived in the X server.
//
// A capture is named after its pixels ("root-<key>.bmp"), so the same picture
// seen again reuses its file. Each capture marks its file as just seen; the
// four files seen last are kept, older ones removed. A capture goes into the
// backup right after it is taken (the backup is taken or refreshed from the
// store as it is read), and the root shows the program's own picture while
// the calendar is on, so a backup names one of the files seen last.
#pragma once

#include "Bitmap.h"

#include <string>

namespace velnora {

// The same pixels give the same key: 32 hexadecimal digits.
std::string PictureKey(const Bitmap& picture);

// $XDG_STATE_HOME/velnora
std::string RootCapturesFolder();

// The path of the file holding picture, whose key is key: written when absent,
// marked as just seen when present; then captures beyond the four seen last
// are removed, except keep (the file the store itself names). Throws the
// file-creation error ("Cannot create file ...") when it cannot be written.
std::string KeepRootPicture(const Bitmap& picture, const std::string& key, const std::string& keep);

}  // namespace velnora
