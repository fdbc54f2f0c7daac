// SPDX-License-Identifier: GPL-3.0-or-later
// Where the session bus is, settled before anything uses it.
#pragma once

namespace velnora {

// Without a session bus (an X11 session started without one), GLib and
// libdbus would each autolaunch a bus daemon of their own on first use, which
// outlives the program. Where the session has no bus (no
// DBUS_SESSION_BUS_ADDRESS, no user bus in XDG_RUNTIME_DIR) the address is set
// to one that leads nowhere: every call then fails at once and the desktops
// reached over D-Bus count as absent. Call before anything uses the bus.
void KeepFromAutolaunchingBus();

}  // namespace velnora
