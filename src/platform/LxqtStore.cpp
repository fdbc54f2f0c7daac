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
#include "DesktopOwnedStore.h"
#include "SessionBus.h"
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

// The modes, numbered by their place here for the layout table.
constexpr const char* Modes[] = {"none", "stretch", "fit", "center", "tile", "zoom", "color"};
enum { ModeNone, ModeStretch, ModeFit, ModeCenter, ModeTile, ModeZoom, ModeColor };
// The program's picture is the screen's size: stretching shows it as it is.
constexpr std::pair<int, WallpaperLayout> ModesShown[] = {
    {ModeStretch, WallpaperLayout::Stretch}, {ModeFit, WallpaperLayout::Fit},
    {ModeCenter, WallpaperLayout::Centre},   {ModeTile, WallpaperLayout::Tile},
    {ModeZoom, WallpaperLayout::Fill},
};
constexpr std::pair<WallpaperLayout, int> ModesMade[] = {
    {WallpaperLayout::Tile, ModeTile},    {WallpaperLayout::Centre, ModeCenter},
    {WallpaperLayout::Own, ModeStretch},  {WallpaperLayout::Stretch, ModeStretch},
    {WallpaperLayout::Fit, ModeFit},      {WallpaperLayout::Fill, ModeZoom},
    {WallpaperLayout::Span, ModeStretch},
};
constexpr LayoutTable ModeTable = {ModesShown, ModesMade};

bool ShowsPicture(const std::string& mode) {
    return !mode.empty() && mode != "none" && mode != "color";
}

std::string SettingsPath() {
    return XdgConfigHome() + "/pcmanfm-qt/" + Profile + "/settings.conf";
}

class LxqtStore : public DesktopOwnedStore {
  public:
    explicit LxqtStore(StoreAccess access)
        : DesktopOwnedStore(access, "lxqt", ModeTable, {WallpaperExtra, ModeExtra}) {}

    // The file is there to read whether the desktop runs or not.
    static bool Answers() { return true; }

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
                      << "--wallpaper-mode"
                      << "stretch";
        }
        QProcess tell;
        tell.start("pcmanfm-qt", arguments);
        tell.waitForFinished(ReloadWaitMs);
        // pcmanfm-qt saves the mode it started with and the picture it was given.
        SetKey("Wallpaper", picture, "Wallpaper");
        if (!mode.empty())
            SetKey("WallpaperMode", mode, "WallpaperMode");
    }

    Backdrop BackgroundColours() override {
        Backdrop backdrop;
        backdrop.primary = backdrop.secondary = ColourOfText(Key("BgColor")).value_or(Colour{});
        return backdrop;
    }

  private:
    std::string ReadPicture(const std::string&) override {
        return ShowsPicture(Key("WallpaperMode")) ? Key("Wallpaper") : "";
    }

    void WritePicture(const std::string& path, const std::string& name) override {
        if (!path.empty() && !QDir::isAbsolutePath(QString::fromStdString(path)))
            throw WriteRefused(name);
        // "" shows no picture; the key keeps the last one, as the desktop's own dialog does.
        if (path.empty())
            SetKey("WallpaperMode", "none", name);
        else
            SetKey("Wallpaper", path, name);
    }

    std::vector<std::optional<int>> LayoutSettings(const std::string&) override {
        return {NumberOfName(Modes, Key("WallpaperMode"))};
    }

    void WriteLayoutSetting(int mode, const std::string& name) override {
        SetKey("WallpaperMode", Modes[mode], name);
    }

    // The program's own layout (tile "0", style "1") leaves a mode that shows a
    // picture as it is: its picture is the screen's size, which every such
    // mode shows pixel for pixel. pcmanfm-qt 1.2 ignores a --wallpaper-mode
    // equal to the one it started with, so a mode changed here could not be
    // changed back while it runs.
    bool KeepsLayout(const std::string& name, const std::string& value) override {
        return IsOwnLayoutHalf(name, value) && ShowsPicture(Key("WallpaperMode"));
    }

    std::string ReadExtra(const std::string& name) override {
        return Key(name == WallpaperExtra ? "Wallpaper" : "WallpaperMode");
    }

    void WriteExtra(const std::string& name, const std::string& value) override {
        SetKey(name == WallpaperExtra ? "Wallpaper" : "WallpaperMode", value, name);
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
};

} // namespace

const StoreBackend LxqtBackend = {
    "LXQt", "LXQt", nullptr, OpenWhenAnswering<LxqtStore>, "pcmanfm-qt", "org.pcmanfm.PCManFM",
};

}  // namespace velnora
