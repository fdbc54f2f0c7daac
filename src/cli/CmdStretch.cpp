// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli stretch IN OUT WIDTH HEIGHT: the program's own load, stretch and
// save of a picture, for scripts and for checking a picture by hand.
#include "Commands.h"

#include "BmpFile.h"
#include "PictureLoader.h"
#include "ProportionsOption.h"
#include "Stretch.h"
#include "WholeNumber.h"

namespace velnora {

namespace {

int RunStretch(const CommandLine& line) {
    const Args& args = line.Positional();
    if (args.size() != 4)
        throw Misuse("stretch wants IN OUT WIDTH HEIGHT");
    // The sizes follow the whole-number rule of the settings file; the stretch
    // itself refuses sizes below 1 or above 65536.
    const int32_t width = StrToInt(WithAsciiDigits(args[2]));
    const int32_t height = StrToInt(WithAsciiDigits(args[3]));
    // The command's name promises the exact stretch unless asked otherwise.
    const bool keep = KeepProportions(line, false);
    Bitmap picture;
    // A drawing is rendered at the new size straight away.
    LoadSourcePicture(args[0], picture, PictureSize{width, height, keep});
    if (keep)
        CoverBitmap(picture, width, height);
    else
        StretchBitmap(picture, width, height);
    WriteBmpFile(args[1], picture);
    return 0;
}

} // namespace

const Command StretchCommand = {
    "stretch",
    "Usage: velnora-cli stretch IN OUT WIDTH HEIGHT [--proportions keep|exact]\n"
    "\n"
    "Loads the picture IN as the program loads a source picture, stretches it\n"
    "bilinearly to WIDTH x HEIGHT pixels (1 to 65536 each) and saves it as the\n"
    "24-bit BMP file OUT. On any error OUT is left as it was.\n"
    "\n",
    {ProportionsOption("exact")},
    RunStretch,
};

}  // namespace velnora
