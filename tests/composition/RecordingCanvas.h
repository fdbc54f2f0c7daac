// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that records every call and measures text with a fixed metric, so
// that the drawing arithmetic is checked exactly, whatever fonts are installed.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velnora {

struct CanvasCall {
    enum Kind { Font, Measure, Text, Frame } kind = Font;
    std::string text; // the face for Font
    int x = 0, y = 0; // left, top
    int right = 0, bottom = 0;
    int ellipseWidth = 0, ellipseHeight = 0;
    int cellHeight = 0;
    int numberWidth = 0;
    int penWidth = 0;
    bool bold = false;
    uint32_t colour = 0; // 0x00BBGGRR
};

class RecordingCanvas : public Canvas {
  public:
    // 7 pixels a byte and a cell of 22: a two-digit day is 14 wide.
    static constexpr int PixelsPerByte = 7;
    static constexpr int CellHeight = 22;

    // The calls go to a log outside the canvas, which outlives a canvas made by
    // a factory inside the code under test.
    explicit RecordingCanvas(std::vector<CanvasCall>& log) : calls(log) {}

    std::vector<CanvasCall>& calls;
    // Sizes for particular texts, in place of the fixed metric.
    std::map<std::string, TextSize> sizes;

    void SetFont(const std::string& face, int cellHeight, bool bold, int numberWidth) override {
        CanvasCall call;
        call.kind = CanvasCall::Font;
        call.text = face;
        call.cellHeight = cellHeight;
        call.numberWidth = numberWidth;
        call.bold = bold;
        calls.push_back(call);
    }
    TextSize MeasureText(const std::string& text) override {
        CanvasCall call;
        call.kind = CanvasCall::Measure;
        call.text = text;
        calls.push_back(call);
        if (const auto found = sizes.find(text); found != sizes.end())
            return found->second;
        return {PixelsPerByte * static_cast<int>(text.size()), CellHeight};
    }
    void DrawTextAt(int x, int y, const std::string& text, Colour colour) override {
        CanvasCall call;
        call.kind = CanvasCall::Text;
        call.text = text;
        call.x = x;
        call.y = y;
        call.colour = colour.value;
        calls.push_back(call);
    }
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight,
                   Colour colour, int penWidth) override {
        CanvasCall call;
        call.kind = CanvasCall::Frame;
        call.x = left;
        call.y = top;
        call.right = right;
        call.bottom = bottom;
        call.ellipseWidth = ellipseWidth;
        call.ellipseHeight = ellipseHeight;
        call.colour = colour.value;
        call.penWidth = penWidth;
        calls.push_back(call);
    }
};

inline std::vector<CanvasCall> CallsOfKind(const std::vector<CanvasCall>& calls,
                                           CanvasCall::Kind kind) {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

}  // namespace velnora
