// SPDX-License-Identifier: GPL-3.0-or-later
// A copy of the program as the wallpaper tests drive it: its own folder with
// its settings file and output picture, the user's shared backup, and the
// three things its window does to the wallpaper (switch on, switch off, start).
#pragma once

#include "Session.h"
#include "Wallpaper.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velnora {

// Draws nothing: these tests are about which picture is used and where it goes.
class NullCanvas : public Canvas {
  public:
    void SetFont(const std::string&, int, bool, int) override {}
    TextSize MeasureText(const std::string& text) override {
        return {static_cast<int>(text.size()), 1};
    }
    void DrawTextAt(int, int, const std::string&, Colour) override {}
    void RoundRect(int, int, int, int, int, int, Colour, int) override {}
};

// The per-user files below stateFolder, as $XDG_STATE_HOME/velnora would hold them.
inline SharedBackup SharedBackupIn(const std::string& stateFolder) {
    SharedBackup shared;
    shared.record = stateFolder + "/velnora/oldwallpaper.ini";
    shared.lock = stateFolder + "/velnora/wallpaper.lock";
    shared.storeFile = stateFolder + "/config/velnora/wallpaper.ini";
    return shared;
}

struct ProgramCopy {
    ProgramCopy(const std::string& folder, const SharedBackup& shared, StoreOpener openStore) {
        std::filesystem::create_directories(folder);
        context.files = {folder + "/velnora", folder + "/velnora.INI", folder + "/Velnora.bmp"};
        context.shared = shared;
        context.openStore = std::move(openStore);
        context.makeCanvas = [](Bitmap&) { return std::make_unique<NullCanvas>(); };
        context.desktop = {16, 12};
        choices.calendar.stretch = false;
        session.files = context.files;
        session.shared = context.shared;
        session.openStore = context.openStore;
        session.makeCanvas = context.makeCanvas;
        session.desktopSize = [] { return DesktopSize{16, 12}; };
        session.setLogonRedraw = [modes = logonRedrawModes](const std::string&, unsigned mode) {
            modes->push_back(mode);
        };
    }

    // The show box ticked, with the current wallpaper as the source.
    bool On() {
        Bitmap work;
        return PaintCalendar(work, false, choices, MonthGrids{}, context).installed;
    }
    // The show box cleared; true while another store keeps the calendar on.
    bool Off() {
        return !SwitchCalendarOff(session).stillOn.empty();
    }
    // The show flag of a start.
    bool Start() {
        ProfileFile settings(context.files.settingsFile);
        return CheckWallpaperAtStart(settings, context.shared, context.openStore);
    }
    ProfileFile Settings() const { return ProfileFile(context.files.settingsFile); }

    PaintContext context;
    PictureChoices choices;
    // The same copy as the use cases take it, recording its logon redraw modes.
    std::shared_ptr<std::vector<unsigned>> logonRedrawModes =
        std::make_shared<std::vector<unsigned>>();
    Session session;
};

}  // namespace velnora
