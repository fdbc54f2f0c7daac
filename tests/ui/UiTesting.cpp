// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTesting.h"

#include "../support/BmpBytes.h"
#include "DateTime.h"
#include "Messages.h"
#include "QtCanvas.h"
#include "ProgramPaths.h"

#include <QImageReader>

#include <filesystem>
#include <stdexcept>

namespace velnora {

UiFixture::UiFixture() {
    // A day in the middle of a Persian month (2026-12-08 is 1405/09/17).
    SetTodayForTesting([] { return EncodeDate(2026, 12, 8); });
    SetMessageHookForTesting([this](const QString& title, const QString& text) {
        messages << title + QLatin1Char('|') + text;
    });
}

UiFixture::~UiFixture() {
    SetMessageHookForTesting({});
    SetTodayForTesting({});
}

std::string UiFixture::Path(const std::string& name) const {
    return folder / name;
}

void UiFixture::WriteSettings(const std::string& text) const {
    WriteWholeFile(SettingsPath(), text);
}

std::optional<std::string> UiFixture::SettingsText() const {
    return ReadWholeFileIfAny(SettingsPath());
}

std::string UiFixture::WritePicture(const std::string& name, int width, int height,
                                    uint32_t colour) const {
    WritePlainBmp(Path(name), width, height, colour);
    return Path(name);
}

std::string UiFixture::SetUserWallpaper(int width, int height) {
    const std::string path = WritePicture("user wallpaper.bmp", width, height, 0x00804020);
    store.values = {{"Wallpaper", path},
                    {"TileWallpaper", "1"},
                    {"WallpaperStyle", "2"},
                    {"WallpaperOriginX", "5"},
                    {"WallpaperOriginY", "6"}};
    return path;
}

std::string UiFixture::SetInstalled(const std::string& extraSettings) {
    const std::string user = SetUserWallpaper();
    std::filesystem::create_directories(Path("state/velnora"));
    WriteWholeFile(Path("state/velnora/oldwallpaper.ini"),
                   "[file]\nTileWallpaper=1\nWallpaperStyle=2\nWallpaperOriginX=5\nWallpaperOriginY=6\n"
                   "Wallpaper=" + user + "\n");
    WriteSettings(extraSettings);
    store.values["Wallpaper"] = OutputPath();
    store.values["TileWallpaper"] = std::string("0");
    store.values["WallpaperStyle"] = std::string("1");
    return user;
}

MainContext UiFixture::Context() {
    MainContext context;
    context.files.executable = Path("velnora");
    context.files.settingsFile = SettingsPath();
    context.files.outputPicture = OutputPath();
    context.shared.record = Path("state/velnora/oldwallpaper.ini");
    context.shared.lock = Path("state/velnora/wallpaper.lock");
    context.shared.storeFile = Path("config/velnora/wallpaper.ini");
    // Short, so that a test of another copy holding the lock ends soon.
    context.shared.lockWait = std::chrono::milliseconds(300);
    context.openStore = OpenerFor(store);
    context.setLogonRedraw = [this](const std::string& name, unsigned mode) {
        if (name != "Velnora")
            throw std::logic_error("autostart name " + name);
        logonRedrawModes.push_back(mode);
    };
    context.makeCanvas = MakeQtCanvas;
    // Small, so that the stretch in every test stays quick.
    context.desktopSize = [] { return DesktopSize{320, 240}; };
    context.choosePicture = [this](QWidget*) {
        ++pickerOpened;
        return pickedFile;
    };
    return context;
}

std::unique_ptr<Tmain> UiFixture::MakeWindow() {
    return std::make_unique<Tmain>(Context());
}

QSize PictureSize(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    return reader.size().isValid() ? reader.size() : QSize(0, 0);
}

}  // namespace velnora
