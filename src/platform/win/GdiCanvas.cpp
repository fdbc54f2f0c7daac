// SPDX-License-Identifier: GPL-3.0-or-later

#include "GdiCanvas.h"

#include "DisplayText.h"
#include "WidePath.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>

namespace velnora {

namespace {

// The shipped face (Vazirmatn, SIL Open Font License), built into every
// program that links the platform as the resource ShippedFontResource
// (win/ShippedFont.rc); its family name as the font's name table gives it.
constexpr const wchar_t* ShippedFontResource = L"VELNORA_FONT";
constexpr const wchar_t* ShippedFace = L"Vazirmatn";

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(HDC dc, const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// Registered once for the process: a private font goes with the process.
bool RegisterShippedFont() {
    static const bool registered = [] {
        const HRSRC found = FindResourceW(nullptr, ShippedFontResource, MAKEINTRESOURCEW(10));
        const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        void* bytes = loaded ? LockResource(loaded) : nullptr;
        DWORD fonts = 0;
        return bytes && AddFontMemResourceEx(bytes, SizeofResource(nullptr, found), nullptr,
                                             &fonts) != nullptr;
    }();
    return registered;
}

std::wstring WideText(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

class GdiCanvas final : public Canvas {
  public:
    explicit GdiCanvas(Bitmap& bitmap) : bitmap_(bitmap) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = bitmap.Width();
        format.bmiHeader.biHeight = -bitmap.Height(); // rows from the top, as the Bitmap's
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 24;
        format.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        section_ = dc_ ? CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &pixels_, nullptr, 0)
                       : nullptr;
        if (!section_) {
            if (dc_)
                DeleteDC(dc_);
            throw std::runtime_error("Cannot draw on a picture of " +
                                     std::to_string(bitmap.Width()) + " x " +
                                     std::to_string(bitmap.Height()));
        }
        // The same layout: 24 bits a pixel, rows padded to 4 bytes.
        std::memcpy(pixels_, bitmap.Data(), bitmap.SizeBytes());
        oldBitmap_ = SelectObject(dc_, section_);
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    }

    ~GdiCanvas() override {
        GdiFlush();
        std::memcpy(bitmap_.Data(), pixels_, bitmap_.SizeBytes());
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldBitmap_);
        for (auto& [key, font] : fonts_)
            DeleteObject(font.font);
        DeleteObject(section_);
        DeleteDC(dc_);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void SetFont(const std::string& face, int cellHeight, bool bold, int numberWidth) override {
        current_ = &KeptFont(fonts_, face, cellHeight, bold, numberWidth,
                             [&] { return FontFor(face, cellHeight, bold, numberWidth); });
        SelectObject(dc_, current_->font);
    }

    TextSize MeasureText(const std::string& text) override {
        const FontChoice& font = Current();
        const std::wstring shown = WideText(DisplayText(text));
        SIZE size{};
        GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
        return {size.cx, font.height};
    }

    void DrawTextAt(int x, int y, const std::string& text, Colour colour) override {
        const FontChoice& font = Current();
        const std::wstring shown = WideText(DisplayText(text));
        SetTextColor(dc_, RGB(colour.Red(), colour.Green(), colour.Blue()));
        // A Persian text runs from right to left: the title's year stands to
        // the left of the month name.
        ExtTextOutW(dc_, x, y + font.top, ETO_RTLREADING, nullptr, shown.c_str(),
                    static_cast<UINT>(shown.size()), nullptr);
    }

    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight,
                   Colour colour, int penWidth) override {
        // An inside-frame pen keeps a wider outline within the rectangle.
        const HPEN pen = CreatePen(PS_INSIDEFRAME, std::max(penWidth, 1),
                                   RGB(colour.Red(), colour.Green(), colour.Blue()));
        const HGDIOBJ old = SelectObject(dc_, pen);
        ::RoundRect(dc_, left, top, right, bottom, ellipseWidth, ellipseHeight);
        SelectObject(dc_, old);
        DeleteObject(pen);
    }

  private:
    struct FontChoice {
        HFONT font = nullptr;
        int height = 0; // what texts measure: the cell of the face before any shrinking
        int top = 0;    // the face's cell below the top of that height
    };

    HFONT MakeFont(const std::wstring& face, int height, bool bold) const {
        // A positive height asks GDI for the character cell (ascent + descent).
        // Grey antialiasing: ClearType's colour fringes suit a screen's
        // stripes, not a picture that may be stretched or shown on another.
        return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, DEFAULT_PITCH, face.c_str());
    }

    int WidestDayNumber() const {
        int widest = 0;
        for (int day = FirstTwoDigitDay; day <= LastDay; ++day) {
            const std::wstring shown = WideText(DisplayText(std::to_string(day)));
            SIZE size{};
            GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
            widest = std::max<int>(widest, size.cx);
        }
        return widest;
    }

    FontChoice FontFor(const std::string& face, int cellHeight, bool bold, int numberWidth) {
        const std::wstring family = GdiFaceFor(face);
        FontChoice choice;
        int size = std::max(cellHeight, 1);
        choice.font = MakeFont(family, size, bold);
        // Numbers too wide for their cell: one pixel smaller at a time.
        for (;;) {
            const HGDIOBJ old = SelectObject(dc_, choice.font);
            const bool fits = WidestDayNumber() <= numberWidth;
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc_, &metrics);
            SelectObject(dc_, old);
            if (choice.height == 0)
                choice.height = metrics.tmHeight;
            if (fits || size <= 1) {
                choice.top = (choice.height - metrics.tmHeight) / 2;
                return choice;
            }
            DeleteObject(choice.font);
            choice.font = MakeFont(family, --size, bold);
        }
    }

    const FontChoice& Current() const {
        if (!current_)
            throw std::logic_error("Canvas used before SetFont");
        return *current_;
    }

    Bitmap& bitmap_;
    HDC dc_ = nullptr;
    HBITMAP section_ = nullptr;
    void* pixels_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    // Within this canvas only: every redraw looks its fonts up afresh.
    std::map<std::string, FontChoice> fonts_;
    const FontChoice* current_ = nullptr;
};

} // namespace

std::wstring GdiFaceFor(const std::string& face) {
    const std::wstring wanted = WidePath(face);
    const HDC screen = GetDC(nullptr);
    const bool installed = FaceInstalled(screen, wanted);
    ReleaseDC(nullptr, screen);
    if (installed || !RegisterShippedFont())
        return wanted;
    return ShippedFace;
}

std::unique_ptr<Canvas> MakeGdiCanvas(Bitmap& bitmap) {
    return std::make_unique<GdiCanvas>(bitmap);
}

}  // namespace velnora
