// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes at all, loaded as a source picture the way the program loads one:
// from a file, BMP first, then JPEG, then the other formats. A load either succeeds with a picture
// inside the limits or throws std::runtime_error; anything else (a crash, a
// leak, a read out of bounds, another exception) is a finding.
#include "PictureLimit.h"
#include "PictureLoader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace velnora;

namespace {

// One file for the whole run, rewritten for every input and removed at exit.
const std::string& InputPath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/velnora-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::perror("mkstemp");
            std::abort();
        }
        close(fd);
        return pattern;
    }();
    return path;
}

void RemoveInput() {
    unlink(InputPath().c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InputPath();
    std::atexit(RemoveInput);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    Bitmap bitmap;
    try {
        // A drawing at a small size of its own, so that runs stay quick.
        LoadSourcePicture(InputPath(), bitmap, PictureSize{97, 61});
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (bitmap.Empty() || int64_t{bitmap.Width()} * bitmap.Height() > MaxPicturePixels)
        std::abort();
    return 0;
}
