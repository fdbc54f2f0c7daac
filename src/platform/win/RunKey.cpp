// SPDX-License-Identifier: GPL-3.0-or-later

#include "RunKey.h"

#include "DailyTask.h"
#include "ProgramPaths.h"
#include "StoreErrors.h"
#include "WidePath.h"

#include <windows.h>

namespace velnora {

namespace {

constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

std::string RunKeyCommand(const std::string& executablePath) {
    return "\"" + executablePath + "\" start";
}

void SetRunKeyValue(const std::string& name, unsigned mode) {
    if (mode > 1)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw WriteRefused(name);
    const std::wstring wideName = WidePath(name);
    LSTATUS status;
    if (mode == 1) {
        const std::wstring command = WidePath(RunKeyCommand(ExecutablePath()));
        status = RegSetValueExW(key, wideName.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        status = RegDeleteValueW(key, wideName.c_str());
        if (status == ERROR_FILE_NOT_FOUND)
            status = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        throw WriteRefused(name);
}

void SetLogonRedraw(const std::string& name, unsigned mode) {
    SetRunKeyValue(name, mode);
    SetDailyTask(mode, ExecutablePath());
}

}  // namespace velnora
