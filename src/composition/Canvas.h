// SPDX-License-Identifier: GPL-3.0-or-later
// What the calendar drawing needs of a 2-D drawing library. Texts are
// Windows-1256 bytes.
#pragma once

#include "Colour.h"

#include <cstdint>
#include <map>
#include <string>

namespace velnora {

struct TextSize {
    int width = 0;
    int height = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;
    // face is the preferred face ("v_Mitra"); the canvas falls back along its
    // chain when it is not installed. cellHeight is ascent + descent in pixels.
    // A face whose widest day number (two digits) is wider than numberWidth
    // pixels is drawn smaller, so numbers in neighbouring cells never run
    // together; its texts still measure cellHeight high and are drawn centred
    // in that height, so that they stand where the larger face would put them.
    virtual void SetFont(const std::string& face, int cellHeight, bool bold, int numberWidth) = 0;
    virtual TextSize MeasureText(const std::string& text) = 0;
    // Left-top aligned at (x, y), no background box.
    virtual void DrawTextAt(int x, int y, const std::string& text, Colour colour) = 0;
    // Outline only, right and bottom edges exclusive as GDI's RoundRect; the
    // outline is penWidth pixels wide, inside the rectangle (1 as designed).
    virtual void RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight, Colour colour, int penWidth) = 0;
};

// For a canvas that keeps the fonts it made (within itself only: every redraw
// looks its fonts up afresh): the font of a SetFont request, made by
// makeFont() the first time it is asked for.
template <typename Font, typename MakeFont>
const Font& KeptFont(std::map<std::string, Font>& fonts, const std::string& face, int cellHeight,
                     bool bold, int numberWidth, const MakeFont& makeFont) {
    const std::string key = face + '\n' + std::to_string(cellHeight) + (bold ? "b" : "") + '\n' +
                            std::to_string(numberWidth);
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(key, makeFont()).first;
    return found->second;
}

}  // namespace velnora
