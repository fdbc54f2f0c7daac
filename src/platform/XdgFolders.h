// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user folders of the XDG Base Directory rules, the only place where
// the platform layer reads HOME and the XDG variables.
#pragma once

#include <string>
#include <vector>

namespace velnora {

// $XDG_CONFIG_HOME, else ~/.config. A relative value is ignored, as the XDG
// rules require.
std::string XdgConfigHome();
// $XDG_DATA_HOME, else ~/.local/share.
std::string XdgDataHome();
// $XDG_DATA_HOME, then each absolute entry of $XDG_DATA_DIRS (else
// /usr/local/share and /usr/share): where shared data such as wallpapers is
// looked up, the user's own first.
std::vector<std::string> XdgDataFolders();
// $XDG_STATE_HOME, else ~/.local/state: what the program must keep across
// runs for the user and that is not a choice (the record of the user's own
// wallpaper, shared by every copy of the program).
std::string XdgStateHome();
// $XDG_RUNTIME_DIR when set to an absolute path, else "" (a session without
// one, such as cron or ssh without a login manager).
std::string XdgRuntimeDir();

}  // namespace velnora
