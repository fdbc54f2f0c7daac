// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli stretch IN OUT WIDTH HEIGHT: the program's own load, stretch and
// save of a picture, for scripts and for checking a picture by hand.
#include "Commands.h"

#include "BmpFile.h"
#include "PictureLoader.h"
#include "Stretch.h"
#include "WholeNumber.h"

int RunStretch(const Args& args) {
    if (args.size() != 4)
        return UsageError();
    // The sizes follow the whole-number rule of the settings file; the stretch
    // itself refuses sizes below 1 or above 65536.
    const int32_t width = StrToInt(args[2]);
    const int32_t height = StrToInt(args[3]);
    Bitmap picture;
    // A drawing is rendered at the new size straight away.
    LoadSourcePicture(args[0], picture, PictureSize{width, height});
    StretchBitmap(picture, width, height);
    WriteBmpFile(args[1], picture);
    return 0;
}
