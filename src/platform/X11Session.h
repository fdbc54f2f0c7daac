// Whether this session's desktop is the root window of an X server.
#pragma once

// True in a Wayland session (XDG_SESSION_TYPE is "wayland", or WAYLAND_DISPLAY
// is set): X programs there run on XWayland, whose root window nobody sees.
bool WaylandSession();

// True when the session is not Wayland and DISPLAY names a display that opens:
// a window manager alone, where the root window's picture is the wallpaper.
// Desktops that draw a background of their own are matched before this.
bool BareX11Session();
