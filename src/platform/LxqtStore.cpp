// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper store of LXQt, whose desktop pcmanfm-qt draws: the group
// [Desktop] of its settings file ~/.config/pcmanfm-qt/<profile>/settings.conf
// (Qt's INI format), profile "lxqt" as LXQt starts it.
//
//   Wallpaper         the key Wallpaper; "" while WallpaperMode shows no picture
//                     ("none", or "color" as the command line names it).
//   TileWallpaper  \  WallpaperMode: tile -> "1" "0"; center -> "0" "0";
//   WallpaperStyle /    stretch -> "0" "2"; fit -> "0" "6"; zoom -> "0" "10".
//                     written: tile "1" -> tile; else style "0" center, "1" and
//                     "2" and "22" stretch (the program's picture is the
//                     screen's size), "6" fit, "10" zoom; tile "0" and style
//                     "1" leave a mode that shows a picture as it is.
//   WallpaperOriginX/Y  no such keys: kept in the file store.
// The extra values LxqtWallpaper and LxqtWallpaperMode hold the two keys as
// they stand (absent ones as ""), so a restore gives back a picture that was
// set while the desktop showed only its colour.
//
// The running desktop does not watch its file: `pcmanfm-qt --set-wallpaper
// FILE --wallpaper-mode MODE` tells it. pcmanfm-qt 1.2 then saves its settings
// with the Wallpaper it was given but the WallpaperMode it started with, so the
// reload writes the mode into the file again afterwards.
#include "BmpFile.h"
#include "DesktopStore.h"
#include "LayoutTable.h"
#include "SessionBus.h"
#include "StoreBackends.h"
#include "StoreErrors.h"
#include "XdgFolders.h"

#include <QDir>
#include <QProcess>
#include <QSettings>

#include <cstring>
#include <filesystem>

namespace velnora {

namespace {

constexpr const char* Profile = "lxqt";
constexpr const char* Service = "org.pcmanfm.PCManFM";
constexpr const char* WallpaperExtra = "LxqtWallpaper";
constexpr const char* ModeExtra = "LxqtWallpaperMode";
// How long the desktop may take to answer a reload.
constexpr int ReloadWaitMs = 30000;

// The modes as numbers for the layout table: their place in this list.
constexpr const char* Modes[] = {"none", "stretch", "fit", "center", "tile", "zoom", "color"};
constexpr LayoutRow ModeRows[] = {
    {1, "0", "2"}, {2, "0", "6"}, {3, "0", "0"}, {4, "1", "0"}, {5, "0", "10"},
};
constexpr std::pair<const char*, int> UntiledModes[] = {
    {"0", 3}, {"1", 1}, {"2", 1}, {"6", 2}, {"10", 5}, {"22", 1},
};
constexpr LayoutTable ModeTable = {ModeRows, 4, UntiledModes};

std::optional<int> ModeNumber(const std::string& mode) {
    for (int i = 0; i < static_cast<int>(std::size(Modes)); ++i)
        if (mode == Modes[i])
            return i;
    return std::nullopt;
}

bool ShowsPicture(const std::string& mode) {
    return !mode.empty() && mode != "none" && mode != "color";
}

std::string SettingsPath() {
    return XdgConfigHome() + "/pcmanfm-qt/" + Profile + "/settings.conf";
}

class LxqtStore : public DesktopStore {
  public:
    LxqtStore(StoreAccess access, const std::string& originsPath)
        : origins_(OpenFileStore(access, originsPath)) {}

    std::string StoreName() const override { return "lxqt"; }
    bool IsOpen() const override { return true; }

    std::string Read(const std::string& name) override {
        if (name == "WallpaperOriginX" || name == "WallpaperOriginY")
            return origins_->Read(name);
        const std::string mode = Key("WallpaperMode");
        if (name == "Wallpaper")
            return ShowsPicture(mode) ? Key("Wallpaper") : "";
        if (name == "TileWallpaper" || name == "WallpaperStyle")
            return ReadLayout(ModeTable, name, ModeNumber(mode));
        if (name == WallpaperExtra)
            return Key("Wallpaper");
        if (name == ModeExtra)
            return mode;
        return "";
    }

    void Write(const std::string& name, const std::string& value) override {
        if (name == "WallpaperOriginX" || name == "WallpaperOriginY") {
            origins_->Write(name, value);
            return;
        }
        if (!IsUtf8(value))
            throw WriteRefused(name);
        if (name == WallpaperExtra) {
            SetKey("Wallpaper", value, name);
        } else if (name == "Wallpaper") {
            if (!value.empty() && !QDir::isAbsolutePath(QString::fromStdString(value)))
                throw WriteRefused(name);
            // "" shows no picture; the key keeps the last one, as the desktop's own dialog does.
            if (value.empty())
                SetKey("WallpaperMode", "none", name);
            else
                SetKey("Wallpaper", value, name);
        } else if (name == "TileWallpaper" || name == "WallpaperStyle") {
            if (KeepsMode(name, value))
                return;
            if (const std::optional<int> mode =
                    SettingAfter(ModeTable, name, value, ModeNumber(Key("WallpaperMode"))))
                SetKey("WallpaperMode", Modes[*mode], name);
        } else if (name == ModeExtra) {
            SetKey("WallpaperMode", value, name);
        } else {
            throw WriteRefused(name);
        }
    }

    void Reload() override {
        // Nothing to tell when the desktop is gone: it reads the file when it starts.
        if (!NameHasOwner(Service))
            return;
        const std::string picture = Key("Wallpaper");
        const std::string mode = Key("WallpaperMode");
        QStringList arguments{"--profile=" + QString(Profile)};
        if (ShowsPicture(mode)) {
            if (!picture.empty())
                arguments << "--set-wallpaper" << QString::fromStdString(picture);
            arguments << "--wallpaper-mode" << QString::fromStdString(mode);
        } else {
            // pcmanfm-qt 1.2 ignores "--wallpaper-mode color" when it started
            // with its colour alone, so it cannot be told to go back to it
            // while it runs: a picture of one pixel of that colour, stretched,
            // shows the same. The file gets the user's keys back below.
            arguments << "--set-wallpaper" << QString::fromStdString(ColourPicture())
                      << "--wallpaper-mode" << "stretch";
        }
        QProcess tell;
        tell.start("pcmanfm-qt", arguments);
        tell.waitForFinished(ReloadWaitMs);
        // pcmanfm-qt saves the mode it started with and the picture it was given.
        SetKey("Wallpaper", picture, "Wallpaper");
        if (!mode.empty())
            SetKey("WallpaperMode", mode, "WallpaperMode");
    }

    bool Holds(const std::string& name, const std::string& value) override {
        if (Read(name) == value || KeepsMode(name, value))
            return true;
        return (name == "TileWallpaper" || name == "WallpaperStyle") &&
               LayoutHolds(ModeTable, name, value, {ModeNumber(Key("WallpaperMode"))});
    }

    std::vector<std::string> ExtraNames() const override { return {WallpaperExtra, ModeExtra}; }

    Backdrop BackgroundColours() override {
        Backdrop backdrop;
        backdrop.primary = backdrop.secondary = ColourOfText(Key("BgColor")).value_or(Colour{});
        return backdrop;
    }

  private:
    // The program's own layout (tile "0", style "1") leaves a mode that shows a
    // picture as it is: its picture is the screen's size, which every such
    // mode shows pixel for pixel. pcmanfm-qt 1.2 ignores a --wallpaper-mode
    // equal to the one it started with, so a mode changed here could not be
    // changed back while it runs.
    static bool KeepsMode(const std::string& name, const std::string& value) {
        return ((name == "TileWallpaper" && value == "0") ||
                (name == "WallpaperStyle" && value == "1")) &&
               ShowsPicture(Key("WallpaperMode"));
    }

    std::string ColourPicture() {
        const Colour colour = BackgroundColours().primary;
        Bitmap pixel(1, 1);
        std::memset(pixel.Row(0), 0, pixel.Stride());
        pixel.Row(0)[0] = colour.Blue();
        pixel.Row(0)[1] = colour.Green();
        pixel.Row(0)[2] = colour.Red();
        const std::string path = XdgStateHome() + "/velnora/desktop-colour.bmp";
        std::filesystem::create_directories(XdgStateHome() + "/velnora");
        WriteBmpFile(path, pixel);
        return path;
    }

    static std::string Key(const char* key) {
        const QSettings file(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
        return file.value(QString("Desktop/") + key).toString().toStdString();
    }

    static void SetKey(const char* key, const std::string& value, const std::string& name) {
        QSettings file(QString::fromStdString(SettingsPath()), QSettings::IniFormat);
        file.setValue(QString("Desktop/") + key, QString::fromStdString(value));
        file.sync();
        if (file.status() != QSettings::NoError)
            throw WriteRefused(name);
    }

    std::unique_ptr<DesktopStore> origins_;
};

} // namespace

const StoreBackend LxqtBackend = {
    "LXQt",
    [](const DesktopSession& session) {
        return CurrentDesktopIncludes(session.currentDesktop, "LXQt");
    },
    [](StoreAccess access, const DesktopSession&) -> std::unique_ptr<DesktopStore> {
        return std::make_unique<LxqtStore>(access, WallpaperStorePath());
    },
};

}  // namespace velnora
