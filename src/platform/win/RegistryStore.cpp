// SPDX-License-Identifier: GPL-3.0-or-later

#include "RegistryStore.h"
#include "StoreErrors.h"
#include "WidePath.h"

#include <windows.h>

namespace velnora {

namespace {

class RegistryStore : public DesktopStore {
  public:
    explicit RegistryStore(StoreAccess access) {
        const REGSAM rights = access == StoreAccess::Write ? KEY_QUERY_VALUE | KEY_SET_VALUE
                                                           : KEY_QUERY_VALUE;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, rights, &key_) !=
            ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryStore() override {
        if (key_)
            RegCloseKey(key_);
    }
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    std::string StoreName() const override { return "windows"; }
    bool IsOpen() const override { return key_ != nullptr; }

    std::string Read(const std::string& name) override {
        if (!key_)
            return "";
        const std::wstring wideName = WidePath(name);
        DWORD type = 0;
        DWORD bytes = 0;
        LSTATUS status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &bytes);
        if (status == ERROR_FILE_NOT_FOUND)
            return "";
        if (status != ERROR_SUCCESS)
            throw ReadRefused(name);
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw NotText(name);
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data()), &bytes);
        if (status != ERROR_SUCCESS)
            throw ReadRefused(name);
        // The stored text may or may not end with its terminating zero.
        value.resize(bytes / sizeof(wchar_t));
        while (!value.empty() && value.back() == L'\0')
            value.pop_back();
        return Utf8Text(value.data(), value.size());
    }

    void Write(const std::string& name, const std::string& value) override {
        if (!key_)
            throw WriteRefused(name);
        try {
            const std::wstring wide = WidePath(value);
            const DWORD bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
            if (RegSetValueExW(key_, WidePath(name).c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS)
                return;
        } catch (const std::runtime_error&) {
        }
        throw WriteRefused(name);
    }

    void Reload() override {
        std::wstring path = WidePath(Read("Wallpaper"));
        if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(),
                                   SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
            throw WriteRefused("Wallpaper");
    }

    // What shows through a picture's transparent parts: the desktop's one
    // colour ("Control Panel\Colors" Background, as the system holds it since
    // logon). A COLORREF is 0x00BBGGRR, as Colour is.
    Backdrop BackgroundColours() override {
        const Colour desktop{static_cast<uint32_t>(GetSysColor(COLOR_DESKTOP))};
        return Backdrop{desktop, desktop};
    }

  private:
    HKEY key_ = nullptr;
};

} // namespace

std::unique_ptr<DesktopStore> OpenRegistryStore(StoreAccess access) {
    return std::make_unique<RegistryStore>(access);
}

// Windows keeps no file store of its own: the registry holds the values.
std::string WallpaperStorePath() {
    return "";
}

}  // namespace velnora
