// SPDX-License-Identifier: GPL-3.0-or-later

#include "Cp1256.h"

#include <cstdint>
#include <utility>

namespace velnora {

namespace {

// The upper half of Windows-1256, 0x80 to 0xFF, as Unicode code points; the
// lower half is ASCII. Every byte is assigned. Source: Microsoft's table as
// published by the Unicode Consortium,
// https://www.unicode.org/Public/MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1256.TXT
// (glibc's "CP1256" agrees; a test compares the two).
constexpr uint16_t UpperHalf[128] = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0679, 0x2039, 0x0152, 0x0686, 0x0698, 0x0688,
    0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x06A9, 0x2122, 0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA,
    0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F,
    0x06C1, 0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627,
    0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D, 0x062E, 0x062F,
    0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7,
    0x0637, 0x0638, 0x0639, 0x063A, 0x0640, 0x0641, 0x0642, 0x0643,
    0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF,
    0x064B, 0x064C, 0x064D, 0x064E, 0x00F4, 0x064F, 0x0650, 0x00F7,
    0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

void AppendUtf8(std::string& out, uint16_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string Cp1256ToUtf8(const std::string& bytes) {
    std::string out;
    // One byte becomes at most 3 bytes of UTF-8 (every character lies in the
    // Basic Multilingual Plane).
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte < 0x80 ? byte : UpperHalf[byte - 0x80]);
    }
    return out;
}

std::string PersianSpelling(const std::string& cp1256) {
    std::string text = Cp1256ToUtf8(cp1256);
    const std::pair<const char*, const char*> letters[] = {{"\xD9\x8A", "\xDB\x8C"},
                                                           {"\xD9\x83", "\xDA\xA9"}};
    for (const auto& [arabic, persian] : letters)
        for (size_t at = 0; (at = text.find(arabic, at)) != std::string::npos; at += 2)
            text.replace(at, 2, persian);
    return text;
}

std::u16string Cp1256ToUtf16(const std::string& bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += static_cast<char16_t>(byte < 0x80 ? byte : UpperHalf[byte - 0x80]);
    }
    return out;
}

}  // namespace velnora
