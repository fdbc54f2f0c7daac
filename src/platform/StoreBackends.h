// SPDX-License-Identifier: GPL-3.0-or-later
// The table of wallpaper store backends: each desktop is one file that defines
// its entry, and its line in the table below. The first entry that matches the
// session and opens a store is the session's store.
#pragma once

#include "DesktopStore.h"

#include <memory>
#include <string>
#include <vector>

namespace velnora {

// What the backends look at to recognise their desktop, read from the
// environment once per choice.
struct DesktopSession {
    std::string currentDesktop; // XDG_CURRENT_DESKTOP: a colon-separated list
    std::string display;        // DISPLAY
    bool wayland = false;       // XDG_SESSION_TYPE is "wayland", or WAYLAND_DISPLAY is set
};

DesktopSession CurrentDesktopSession();

struct StoreBackend {
    const char* name;
    // The entry of XDG_CURRENT_DESKTOP that names the desktop (compared
    // without regard to case), or nullptr when matches decides.
    const char* desktop;
    bool (*matches)(const DesktopSession& session);
    // nullptr when the desktop matched but its store cannot be had (a schema
    // that is not installed, a display that does not open): the next entry is tried.
    std::unique_ptr<DesktopStore> (*open)(StoreAccess access, const DesktopSession& session);
    // The desktop's settings service, which tells that the desktop runs: the
    // program as messages name it and its D-Bus name; nullptr for none.
    const char* program;
    const char* busName;
};

extern const StoreBackend GnomeFamilyBackend;
extern const StoreBackend XfceBackend;
extern const StoreBackend PlasmaBackend;
extern const StoreBackend LxqtBackend;
extern const StoreBackend BareX11Backend;
extern const StoreBackend FileStoreBackend;

// The backends in the order they are tried: the desktops that keep their own
// wallpaper settings first, then the bare X server, then the file store,
// which every session matches.
inline const StoreBackend* const StoreBackendTable[] = {
    &GnomeFamilyBackend, // GSettings: GNOME, Cinnamon, MATE and their kin
    &XfceBackend,        // xfconf over D-Bus
    &PlasmaBackend,      // the Plasma shell's scripts over D-Bus
    &LxqtBackend,        // pcmanfm-qt's settings file and command line
    &BareX11Backend,     // the root window
    &FileStoreBackend,
};

// True when the backend is meant for the session's desktop.
bool ServesSession(const StoreBackend& backend, const DesktopSession& session);

// The name of the backend the session gets (for tests and messages).
const char* StoreBackendNameFor(const DesktopSession& session);
std::unique_ptr<DesktopStore> OpenStoreFor(StoreAccess access, const DesktopSession& session);

// The entries of an XDG_CURRENT_DESKTOP-style colon-separated list, in order.
std::vector<std::string> CurrentDesktopEntries(const std::string& currentDesktop);
// True when one entry of the list names desktop, compared without regard to case.
bool CurrentDesktopIncludes(const std::string& currentDesktop, const char* desktop);

}  // namespace velnora
