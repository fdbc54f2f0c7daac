// SPDX-License-Identifier: GPL-3.0-or-later
// Windows tests that open windows under Wine without a display: a test
// program defines one WineTestDesktop at namespace scope, which runs the
// program again on a desktop of its own and ends with its exit status.
#pragma once

#include <cstdlib>
#include <string>

#include <windows.h>

namespace velnora {

// Wine creates no window without a display, and the tests run without one
// (scripts/test-windows unsets DISPLAY). The desktop's Wine process takes
// Wine's null display driver when the prefix's "Graphics" value names it as
// the process starts, and a program keeps the driver of the desktop it first
// met (the common controls' library meets it as it loads): so the program
// runs again on a new desktop while the value names the null driver. The
// prefix's value is put back afterwards.
inline constexpr wchar_t TestDesktop[] = L"velnora-tests";

inline bool OnTestDesktop() {
    wchar_t name[64] = L"";
    GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name,
                              nullptr);
    return std::wstring(name) == TestDesktop;
}

struct WineTestDesktop {
    WineTestDesktop() {
        const char* display = std::getenv("DISPLAY");
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") ||
            (display && *display) || OnTestDesktop())
            return;
        HKEY drivers;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &drivers, nullptr);
        wchar_t before[64];
        DWORD size = sizeof before;
        const bool had = RegQueryValueExW(drivers, L"Graphics", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(before), &size) == ERROR_SUCCESS;
        RegSetValueExW(drivers, L"Graphics", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"null"),
                       sizeof L"null");
        const HDESK desktop =
            CreateDesktopW(TestDesktop, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.lpDesktop = const_cast<wchar_t*>(TestDesktop);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION child{};
        DWORD status = 1;
        if (CreateProcessW(nullptr, GetCommandLineW(), nullptr, nullptr, TRUE, 0, nullptr,
                           nullptr, &startup, &child)) {
            WaitForSingleObject(child.hProcess, INFINITE);
            GetExitCodeProcess(child.hProcess, &status);
            CloseHandle(child.hThread);
            CloseHandle(child.hProcess);
        }
        if (had)
            RegSetValueExW(drivers, L"Graphics", 0, REG_SZ, reinterpret_cast<BYTE*>(before), size);
        else
            RegDeleteValueW(drivers, L"Graphics");
        RegCloseKey(drivers);
        CloseDesktop(desktop);
        std::exit(static_cast<int>(status));
    }
};

}  // namespace velnora
