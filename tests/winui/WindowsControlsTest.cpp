// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows windows' pieces under Wine, driven by the messages a user's
// keys and clicks send: the preview picture, the colour picker, the options
// window.

#include "ColourCombo.h"
#include "OptionsWindow.h"
#include "PictureDialog.h"
#include "PreviewWindow.h"
#include "StandardColours.h"

#include "../support/WineTestDesktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include <windows.h>

using namespace velnora;

namespace {

const WineTestDesktop testDesktop;

TEST(PreviewPicture, FillsTheClientAreaWhateverTheSourceShape) {
    struct Case {
        int width, height, dpi, clientWidth, clientHeight;
    };
    for (const Case& c : {Case{1024, 768, 96, 500, 375}, Case{1280, 1024, 96, 500, 375},
                          Case{1280, 1024, 144, 750, 563}}) {
        Bitmap work;
        ComposePreview(
            work,
            [&](Bitmap& source) {
                source.Resize(c.width, c.height);
                std::fill(source.Data(), source.Data() + source.SizeBytes(), uint8_t{0x40});
            },
            c.dpi);
        EXPECT_EQ(work.Width(), c.clientWidth) << c.width << " at " << c.dpi;
        EXPECT_EQ(work.Height(), c.clientHeight) << c.width << " at " << c.dpi;
        EXPECT_EQ(work.Row(c.clientHeight - 1)[(c.clientWidth - 1) * 3], 0x40) << c.width;
    }
}

// Keys as the control gets them while it has the focus.
void Press(HWND control, std::initializer_list<WPARAM> keys) {
    for (const WPARAM key : keys)
        SendMessageW(control, WM_KEYDOWN, key, 0);
}

class ColourComboTest : public testing::Test {
  protected:
    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == 7)
            ++changes;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void SetUp() override {
        WNDCLASSW parentClass{};
        parentClass.lpfnWndProc = ParentProc;
        parentClass.lpszClassName = L"ColourComboTestParent";
        RegisterClassW(&parentClass);
        parent = CreateWindowExW(0, L"ColourComboTestParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
        combo = CreateColourCombo(parent, 7, 10, 10, 89, 21);
        ASSERT_NE(combo, nullptr);
        changes = 0;
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr, combo = nullptr;
    static inline int changes = 0;
};

TEST_F(ColourComboTest, KeepsAPaletteColourAndTheCustomColour) {
    const uint32_t red = StandardColours[16], outside = 0x123456;
    struct Case {
        std::vector<uint32_t> set;
        uint32_t custom;
    };
    for (const Case& step : {Case{{red}, 0xFFFFFF}, Case{{outside}, outside},
                             Case{{outside, red}, outside}}) {
        for (const uint32_t colour : step.set)
            SetColourComboValue(combo, Colour{colour});
        EXPECT_EQ(ColourComboValue(combo).value, step.set.back());
        EXPECT_EQ(ColourComboCustom(combo).value, step.custom);
    }
    EXPECT_EQ(changes, 0); // set from code, as a combo box's selection
}

TEST_F(ColourComboTest, TheKeysPickFromTheDropDown) {
    struct Case {
        std::initializer_list<WPARAM> keys;
        uint32_t picked;
        int changes;
    };
    const Case cases[] = {
        {{VK_RETURN, VK_RIGHT, VK_DOWN, VK_RETURN}, StandardColours[9], 1},
        {{VK_SPACE, VK_RIGHT, VK_ESCAPE, VK_RETURN, VK_RETURN}, StandardColours[0], 0},
        // Down from the last row's first column to "More Colors...", right to
        // the custom swatch.
        {{VK_F4, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}, 0xFFFFFF, 1},
    };
    for (const Case& test : cases) {
        SetColourComboValue(combo, Colour{StandardColours[0]});
        changes = 0;
        Press(combo, test.keys);
        EXPECT_EQ(ColourComboValue(combo).value, test.picked);
        EXPECT_EQ(changes, test.changes);
        Press(combo, {VK_ESCAPE});
    }
}

// Runs script on the first dialog created while open() runs, from inside the
// dialog's modal loop, and returns what open() returns.
template <typename Open>
auto DriveDialog(std::function<void(HWND)> script, Open open) -> decltype(open()) {
    static std::function<void(HWND)> running;
    running = std::move(script);
    const HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROCRET,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            if (code == HC_ACTION && call->message == WM_INITDIALOG && running)
                std::exchange(running, nullptr)(call->hwnd);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    const auto result = open();
    UnhookWindowsHookEx(hook);
    return result;
}

std::optional<WindowOptions> DriveOptionsWindow(const WindowOptions& start,
                                                std::function<void(HWND)> script) {
    return DriveDialog(std::move(script), [&] { return ShowOptionsWindow(nullptr, start); });
}

TEST(PictureDialog, GivesTheTypedPathInUtf8) {
    // A Persian name (تصویر.jpg), which need not exist.
    const auto chosen = DriveDialog(
        [](HWND dialog) {
            SetDlgItemTextW(dialog, 0x47C, L"C:\\\u062A\u0635\u0648\u06CC\u0631.jpg");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        [] { return ChoosePictureFile(nullptr); });
    EXPECT_EQ(chosen, "C:\\\u062A\u0635\u0648\u06CC\u0631.jpg");
}

void Click(HWND window, int id) {
    SendDlgItemMessageW(window, id, BM_CLICK, 0, 0);
}

TEST(OptionsWindow, GivesBackWhatItsControlsHoldOnlyOnOk) {
    using namespace OptionsControls;
    WindowOptions changed;
    changed.rule = PersianDate::CalendarRule::Official;
    changed.scale = 150;
    changed.outline = {TextOutline::Kind::Colour, Colour{0xFFFFFF}};
    changed.holiday = Colour{StandardColours[17]}; // red's right neighbour
    changed.otherDates = OtherDates::GregorianAndLunar;
    changed.monthNames = MonthNaming::Dari;
    changed.keepProportions = false;
    changed.workArea = false;

    const auto chosen = DriveOptionsWindow(WindowOptions{}, [](HWND window) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, ccHoliday)));
        for (const int id : {R_Official, R_ScalePercent, R_OutlineColour, CHKholiday,
                             R_OtherLunar, R_NamesDari, R_StretchExactly, CHKworkarea})
            Click(window, id);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, ccHoliday)));
        SetDlgItemTextW(window, UDscale, L"150");
        Press(GetDlgItem(window, ccHoliday), {VK_RETURN, VK_RIGHT, VK_RETURN});
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(chosen, changed);

    // Started from those, unchanged, OK gives them back; Esc gives nothing.
    EXPECT_EQ(DriveOptionsWindow(changed, [](HWND window) {
                  PostMessageW(window, WM_COMMAND, IDOK, 0);
              }),
              changed);
    EXPECT_EQ(DriveOptionsWindow(changed, [](HWND window) {
                  Click(window, R_Arithmetic);
                  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
              }),
              std::nullopt);
}

} // namespace
