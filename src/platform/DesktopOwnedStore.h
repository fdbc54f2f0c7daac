// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the stores of desktops that keep their wallpaper settings
// themselves (Xfce, KDE Plasma, LXQt): the values dispatched by name to the
// desktop's picture, its layout setting (through the desktop's LayoutTable) and
// the extra values that give back what the five cannot say; the two origins,
// which none of these desktops has, kept in the file store. A desktop's store
// says only how it reads and writes its own settings.
#pragma once

#include "DesktopStore.h"
#include "StoreBackends.h"
#include "WallpaperLayout.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

class DesktopOwnedStore : public DesktopStore {
  public:
    std::string StoreName() const final { return storeName_; }
    bool IsOpen() const final { return true; }
    std::string Read(const std::string& name) final;
    // Text that is not UTF-8 is refused: the desktops keep theirs in UTF-8.
    void Write(const std::string& name, const std::string& value) final;
    bool Holds(const std::string& name, const std::string& value) override;
    std::vector<std::string> ExtraNames() const final { return extraNames_; }
    WallpaperLayout OwnPictureLayout() const final { return OwnLayoutShown(*layouts_); }

  protected:
    // The layouts from now on (a picture of one monitor's size is shown
    // otherwise than one of all monitors together).
    void UseLayouts(const LayoutTable& layouts) { layouts_ = &layouts; }

    DesktopOwnedStore(StoreAccess access, std::string storeName, const LayoutTable& layouts,
                      std::vector<std::string> extraNames);

    // What the store does with the desktop's own settings. Each gets the
    // value's name for its errors (ReadRefused, WriteRefused).
    // The picture shown, as a local path; "" for none.
    virtual std::string ReadPicture(const std::string& name) = 0;
    virtual void WritePicture(const std::string& path, const std::string& name) = 0;
    // The layout setting of every backdrop (monitor, workspace, screen), the
    // one read first; empty when there is none; none where it is unreadable.
    virtual std::vector<std::optional<int>> LayoutSettings(const std::string& name) = 0;
    virtual void WriteLayoutSetting(int setting, const std::string& name) = 0;
    // True when writing value for name leaves the layout as it is.
    virtual bool KeepsLayout(const std::string& /*name*/, const std::string& /*value*/) {
        return false;
    }
    virtual std::string ReadExtra(const std::string& name) = 0;
    virtual void WriteExtra(const std::string& name, const std::string& value) = 0;
    virtual bool HoldsExtra(const std::string& name, const std::string& value) {
        return ReadExtra(name) == value;
    }

  private:
    bool IsExtra(const std::string& name) const;

    std::string storeName_;
    const LayoutTable* layouts_;
    std::vector<std::string> extraNames_;
    std::unique_ptr<DesktopStore> origins_;
};

// The open of a backend whose store is Store: none while Store::Answers()
// says the desktop holds no settings to read yet.
template <typename Store>
std::unique_ptr<DesktopStore> OpenWhenAnswering(StoreAccess access, const DesktopSession&) {
    if (!Store::Answers())
        return nullptr;
    return std::make_unique<Store>(access);
}

}  // namespace velnora
