// The per-user folders of the XDG Base Directory rules, the only place where
// the platform layer reads HOME and the XDG variables.
#pragma once

#include <string>

// $XDG_CONFIG_HOME, else ~/.config. A relative value is ignored, as the XDG
// rules require.
std::string XdgConfigHome();
// $XDG_DATA_HOME, else ~/.local/share.
std::string XdgDataHome();
