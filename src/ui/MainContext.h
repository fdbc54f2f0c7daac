// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window takes from the system: its files, the wallpaper
// settings store, the autostart entry, the desktop size and the picture
// dialog. The program uses the real ones; the tests point them at temporary
// folders and fakes.
#pragma once

#include "DesktopStore.h"
#include "ProgramPaths.h"
#include "Wallpaper.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace velnora {

struct MainContext {
    ProgramFiles files;
    SharedBackup shared;
    std::function<std::unique_ptr<DesktopStore>(StoreAccess)> openStore;
    std::function<void(const std::string& name, unsigned mode)> setAutoRun;
    std::function<DesktopSize()> desktopSize;
    // The confirmed path, or nullopt when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> choosePicture;
};

// The running program's files, the session's desktop, its autostart folder,
// the screens and the picture dialog.
MainContext SystemContext();

}  // namespace velnora
