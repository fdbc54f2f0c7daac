#include "PictureLoader.h"

#include "BmpFile.h"
#include "JpegDecoder.h"

void LoadSourcePicture(const std::string& path, Bitmap& out) {
    // Whatever stops the BMP reader (no such file, another format), the JPEG
    // decoder's own error is the one the user sees.
    if (ReadBmpFile(path, out))
        return;
    ReadJpegFile(path, out);
}
