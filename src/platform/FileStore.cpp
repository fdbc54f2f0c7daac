// SPDX-License-Identifier: GPL-3.0-or-later
// The file store: the wallpaper values kept in a profile file of our own, for
// desktops that keep no wallpaper settings we can reach.
#include "DesktopStore.h"
#include "ProfileFile.h"
#include "StoreBackends.h"
#include "StoreErrors.h"

#include <filesystem>
#include <system_error>

namespace velnora {

namespace {

// The registry key the values live under on Windows, kept as the section name
// so that the file reads as what it stands in for.
constexpr const char* Section = "Control Panel\\Desktop";

class FileStore : public DesktopStore {
  public:
    FileStore(StoreAccess access, const std::string& path) : file_(path) {
        if (access == StoreAccess::Write) {
            std::error_code error;
            std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
            open_ = !error;
        }
    }

    bool IsOpen() const override { return open_; }
    std::string StoreName() const override { return "file"; }

    // Whole, as the registry gives a value of any length.
    std::string Read(const std::string& name) override {
        return open_ ? file_.ReadWhole(Section, name).value_or("") : std::string();
    }

    void Write(const std::string& name, const std::string& value) override {
        // A line break would end the value's line and start a key of its own.
        if (!open_ || value.find_first_of("\r\n") != std::string::npos)
            throw WriteRefused(name);
        try {
            file_.WriteWhole(Section, name, value);
        } catch (const std::runtime_error&) {
            throw WriteRefused(name);
        }
    }

    void Reload() override {}

    bool ReachesDesktop() const override { return false; }

    // Nothing is known of what this desktop paints: the plain picture drawn
    // when no picture is chosen is white, on which the calendar's default
    // black text and red holidays read (on black, as an X root would give, only
    // today's red circle would show).
    Backdrop BackgroundColours() override {
        Backdrop backdrop;
        backdrop.primary = backdrop.secondary = Colour::FromRgb(0xffffff);
        return backdrop;
    }

  private:
    ProfileFile file_;
    bool open_ = true;
};

} // namespace

std::unique_ptr<DesktopStore> OpenFileStore(StoreAccess access, const std::string& path) {
    return std::make_unique<FileStore>(access, path);
}

void RemoveEmptyFileStore(const std::string& path) {
    const ProfileFile file(path);
    const std::vector<std::string> sections = file.Sections();
    if (sections.size() > 1 || (sections.size() == 1 && sections[0] != Section))
        return;
    for (const std::string& key : file.Keys(Section))
        // ResetKeys is the GNOME family's note of its last restore, needed
        // only to read that restore back.
        if (key != "ResetKeys" && !file.ReadWhole(Section, key).value_or("").empty())
            return;
    std::error_code error;
    std::filesystem::remove(path, error);
}

const StoreBackend FileStoreBackend = {
    "file store",
    nullptr,
    [](const DesktopSession&) { return true; },
    [](StoreAccess access, const DesktopSession&) {
        return OpenFileStore(access, WallpaperStorePath());
    },
    nullptr,
    nullptr,
};

}  // namespace velnora
