// SPDX-License-Identifier: GPL-3.0-or-later
// The switch-off and the close, as the window, the unattended run and
// "velnora off" use them: plain functions over the program's files, the
// shared backup and the store.
#pragma once

#include "Wallpaper.h"

#include <functional>
#include <string>
#include <vector>

namespace velnora {

// Writes (mode 1) or removes (mode 0) the logon entry and the refresh timer.
using AutoRunSetter = std::function<void(const std::string& name, unsigned mode)>;

// The autostart value's name.
inline constexpr const char* AutoRunName = "Velnora";

struct SwitchOffResult {
    bool restored = false;             // the store in force had a backup and has it back
    std::vector<std::string> stillOn;  // the other stores whose calendar stays on
};

// Under the lock: restores the store in force (RestoreWallpaper). When no store
// has the calendar on any more, the logon entry and the timer go, and so do the
// output pictures (this copy's and the one the store showed), a file store
// holding only empty values, the record and the lock file.
SwitchOffResult SwitchCalendarOff(const ProgramFiles& files, const SharedBackup& shared,
                                  const StoreOpener& openStore, const AutoRunSetter& setAutoRun);

// True when the store in force has its calendar on, read afresh: a window
// whose show box is ticked asks before it redraws at closing, while it holds
// the lock, because another copy may have switched the calendar off since.
bool CalendarOnInStore(const SharedBackup& shared, const StoreOpener& openStore);

// What a closing window with its show box ticked tells the user when another
// copy switched the calendar off since this window read it.
inline constexpr const char* SwitchedOffElsewhere =
    "The calendar was switched off in another Velnora window while this one was open, "
    "so it stays off. Tick the show box to put it back on.";

}  // namespace velnora
