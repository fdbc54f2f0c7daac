// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a run without a window can be sure which desktop it changes. Such a
// run reads the store it finds into the backup when the calendar looks
// displaced: reading the wrong store (the empty file store from cron, the root
// window behind xfdesktop, a bare X11 fallback while plasmashell is still
// starting) would put a picture the user never had over the backup.
#pragma once

#include "StoreBackends.h"

#include <chrono>
#include <string>

namespace velnora {

// How long a run at logon waits for its desktop's service: started together
// with plasmashell 5.27 under Xvfb on a busy two-core machine, the run had the
// shell's desktops within 1 to 6 s. A real logon starts many programs at
// once, and the first one after an upgrade rebuilds caches, perhaps on a
// spinning disk: a minute leaves ten times the room without a run hanging on.
inline constexpr std::chrono::seconds DesktopServiceWait{60};

// Why the session is not bare X11 for certain, "" when it is: an X display
// that opens, no desktop of the stores' own named by XDG_CURRENT_DESKTOP, no
// desktop's service on the session bus when XDG_CURRENT_DESKTOP names no
// desktop at all, and no window of a desktop (_NET_WM_WINDOW_TYPE_DESKTOP)
// over the root window. Only then is the root window what the user sees.
std::string WhyNotBareX11(const DesktopSession& session);

struct DesktopReach {
    const StoreBackend* backend = nullptr; // the store to use; nullptr when not certain
    std::string whyNot;                    // when not: one clause, for a message
};

// The store of the desktop that XDG_CURRENT_DESKTOP names, once its service
// answers (polled for up to wait); bare X11 when the session is that for
// certain; the file store for a desktop that no backend knows. Otherwise no
// store, and why not.
DesktopReach ReachDesktop(const DesktopSession& session, std::chrono::milliseconds wait);

// The store of the backend ReachDesktop chose. Throws the store's read or
// write error when it no longer opens (the desktop went away meanwhile):
// falling back to another store is what the choice rules out.
std::unique_ptr<DesktopStore> OpenReachedStore(const StoreBackend& backend, StoreAccess access,
                                               const DesktopSession& session);

}  // namespace velnora
