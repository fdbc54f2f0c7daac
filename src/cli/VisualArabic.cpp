// SPDX-License-Identifier: GPL-3.0-or-later

#include "VisualArabic.h"

#include <cstdint>
#include <vector>

namespace velnora {

namespace {

struct Letter {
    unsigned char cp1256;
    uint16_t isolated; // the presentation forms follow: final, then initial and medial
    bool dualJoining;  // joins the next letter too; the others only the one before
};

// The letters of the Persian month names (Unicode's Arabic Presentation
// Forms-B, but for yeh; ArabicShaping.txt for the joining types).
const Letter Letters[] = {
    {0xC7, 0xFE8D, false}, // alef
    {0xC2, 0xFE81, false}, // alef with madda
    {0xC8, 0xFE8F, true},  // beh
    {0xCA, 0xFE95, true},  // teh
    {0xCE, 0xFEA5, true},  // khah
    {0xCF, 0xFEA9, false}, // dal
    {0xD0, 0xFEAB, false}, // thal
    {0xD1, 0xFEAD, false}, // reh
    {0xD3, 0xFEB1, true},  // seen
    {0xD4, 0xFEB5, true},  // sheen
    {0xDD, 0xFED1, true},  // feh
    {0xE3, 0xFEE1, true},  // meem
    {0xE4, 0xFEE5, true},  // noon
    {0xE5, 0xFEE9, true},  // heh
    {0xE6, 0xFEED, false}, // waw
    // The code page's Arabic yeh, written as the Persian (Farsi) yeh that the
    // other commands write: Arabic Presentation Forms-A, in the same order.
    {0xED, 0xFBFC, true}, // yeh
};

const Letter* Find(unsigned char byte) {
    for (const Letter& letter : Letters)
        if (letter.cp1256 == byte)
            return &letter;
    return nullptr;
}

// A code point of U+0800..U+FFFF in UTF-8.
std::string Utf8(uint16_t code) {
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

const std::string Lrm = "\xE2\x80\x8E"; // U+200E LEFT-TO-RIGHT MARK

} // namespace

std::optional<std::string> VisualArabicWord(const std::string& cp1256) {
    std::vector<const Letter*> letters;
    for (const char c : cp1256) {
        const Letter* letter = Find(static_cast<unsigned char>(c));
        if (!letter)
            return std::nullopt;
        letters.push_back(letter);
    }
    std::string out;
    for (size_t i = letters.size(); i-- > 0;) {
        const bool joinsBefore = i > 0 && letters[i - 1]->dualJoining;
        const bool joinsAfter = letters[i]->dualJoining && i + 1 < letters.size();
        // isolated, final, initial, medial
        const int form = joinsBefore ? (joinsAfter ? 3 : 1) : (joinsAfter ? 2 : 0);
        out += Lrm + Utf8(static_cast<uint16_t>(letters[i]->isolated + form));
    }
    // Digits after the word would otherwise join the last letter's run.
    return out + Lrm;
}

}  // namespace velnora
