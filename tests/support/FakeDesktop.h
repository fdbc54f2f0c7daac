// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory wallpaper store for the tests, with the ways a real one fails.
#pragma once

#include "DesktopStore.h"
#include "Wallpaper.h"

#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace velnora {

struct FakeDesktop {
    std::string name = "file";                 // the store's name (StoreName)
    std::map<std::string, std::string> values; // absent names are absent values
    bool openable = true;                      // false: reads give "", writes are refused
    std::set<std::string> refused;             // names whose write is refused
    std::set<std::string> dropped;             // names whose write is taken, then lost
    std::set<std::string> notText;             // names whose value is not text
    std::vector<std::string> extras;           // what ExtraNames gives
    int reloads = 0;
    bool reachesDesktop = true; // false: as the store of a desktop no backend knows
    Backdrop backdrop;          // what BackgroundColours gives

    // As a locked store: every write of the wallpaper values fails.
    void RefuseEveryWrite() {
        refused.insert(std::begin(WallpaperValueNames), std::end(WallpaperValueNames));
    }
    // As a store whose wallpaper values are all of another type.
    void NoValueIsText() {
        notText.insert(std::begin(WallpaperValueNames), std::end(WallpaperValueNames));
    }
};

class FakeStore : public DesktopStore {
  public:
    explicit FakeStore(FakeDesktop& desktop) : desktop_(desktop) {}
    bool IsOpen() const override { return desktop_.openable; }
    std::string StoreName() const override { return desktop_.name; }
    std::string Read(const std::string& name) override {
        if (!desktop_.openable)
            return "";
        if (desktop_.notText.count(name))
            throw std::runtime_error("Invalid data type for '" + name + "'");
        const auto found = desktop_.values.find(name);
        return found == desktop_.values.end() ? "" : found->second;
    }
    void Write(const std::string& name, const std::string& value) override {
        if (!desktop_.openable || desktop_.refused.count(name))
            throw std::runtime_error("Failed to set data for '" + name + "'");
        // As dconf does when it cannot commit: the write returns, the value stays.
        if (!desktop_.dropped.count(name))
            desktop_.values[name] = value;
    }
    void Reload() override { ++desktop_.reloads; }
    std::vector<std::string> ExtraNames() const override { return desktop_.extras; }
    bool ReachesDesktop() const override { return desktop_.reachesDesktop; }
    Backdrop BackgroundColours() override { return desktop_.backdrop; }

  private:
    FakeDesktop& desktop_;
};

inline StoreOpener OpenerFor(FakeDesktop& desktop) {
    return [&desktop](StoreAccess) { return std::make_unique<FakeStore>(desktop); };
}

}  // namespace velnora
