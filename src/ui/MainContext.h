// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window takes from the system: its files, the wallpaper
// settings store, the autostart entry, the desktop size and the picture
// dialog. The program uses the real ones; the tests point them at temporary
// folders and fakes.
#pragma once

#include "Session.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace velnora {

// The session the use cases work on, and the window's own picture dialog.
struct MainContext : Session {
    // The confirmed path, or nullopt when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> choosePicture;
};

// The running program's files, the session's desktop, its autostart folder,
// the screens and the picture dialog.
MainContext SystemContext();

}  // namespace velnora
