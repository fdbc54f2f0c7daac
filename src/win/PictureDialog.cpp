// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureDialog.h"

#include "WidePath.h"

#include <commdlg.h>

#include <stdexcept>
#include <string>

namespace velnora {

namespace {

// The filters' display names and patterns, each ended by a null, the list by
// a second one; the first entry is the one shown at opening.
constexpr wchar_t Filters[] = L"All (*.jpg;*.jpeg;*.bmp)\0*.jpg;*.jpeg;*.bmp\0"
                              L"JPEG Image File (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
                              L"Bitmaps (*.bmp)\0*.bmp\0";

// Long enough for any path the wide file functions take (their limit with
// the "\\?\" prefix).
constexpr DWORD MaxPath = 32768;

} // namespace

std::optional<std::string> ChoosePictureFile(HWND owner) {
    std::wstring file(MaxPath, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = Filters;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = MaxPath;
    // One file, which need not exist; no read-only box; the default title.
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        // A cancel reports no error; anything else is the dialog failing.
        if (const DWORD error = CommDlgExtendedError())
            throw std::runtime_error("The picture dialog failed (error " + std::to_string(error) +
                                     ")");
        return std::nullopt;
    }
    return Utf8Text(file.c_str(), wcslen(file.c_str()));
}

}  // namespace velnora
