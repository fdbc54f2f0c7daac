// SPDX-License-Identifier: GPL-3.0-or-later

#include "Cp1256.h"

#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

} // namespace

std::string Cp1256ToUtf8(const std::string& bytes) {
    // glibc's "CP1256" is the Windows code page (all 256 bytes assigned); the
    // descriptor lives only for this call.
    const iconv_t cd = iconv_open("UTF-8", "CP1256");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("The CP1256 conversion is not available");
    const std::unique_ptr<void, IconvCloser> closer(cd);

    // One byte becomes at most 3 bytes of UTF-8 (every character lies in the
    // Basic Multilingual Plane).
    std::string out(bytes.size() * 3, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        throw std::runtime_error("Cannot convert byte " +
                                 std::to_string(static_cast<unsigned char>(*in)) +
                                 " from Windows-1256");
    out.resize(out.size() - outLeft);
    return out;
}
