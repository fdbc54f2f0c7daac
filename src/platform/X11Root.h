// SPDX-License-Identifier: GPL-3.0-or-later
// The root window of a bare X server as the wallpaper setters share it
// (Esetroot, feh, hsetroot, nitrogen): the picture is a pixmap of the root's
// depth, named in the root properties _XROOTPMAP_ID and ESETROOT_PMAP_ID and
// kept alive after its setter's connection closes; the next setter frees it.
#pragma once

#include "Bitmap.h"
#include "Monitors.h"

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>

struct _XDisplay; // Xlib's Display, kept out of this header: its macros clash with Qt's names

namespace velnora {

class X11Root {
  public:
    // Opens displayName ("" for $DISPLAY); IsOpen() is false when it does not open.
    explicit X11Root(const std::string& displayName);
    ~X11Root();
    X11Root(const X11Root&) = delete;
    X11Root& operator=(const X11Root&) = delete;

    bool IsOpen() const { return display_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The whole pixmap the root shows (_XROOTPMAP_ID, else ESETROOT_PMAP_ID),
    // pixel for pixel. Empty when no property names one, or it names a pixmap
    // that is gone, of another depth, or of more than MaxPicturePixels pixels.
    Bitmap Picture();

    // The root's own background colour (0xRRGGBB) at a point no window
    // covers: what a root without a picture shows (black unless xsetroot
    // -solid or the like set a colour). nullopt when windows cover it all.
    std::optional<uint32_t> BackgroundColour();

    // True when a window of a desktop that draws its own background
    // (_NET_WM_WINDOW_TYPE_DESKTOP: xfdesktop, plasmashell, caja, pcmanfm) is
    // shown over the root window, so that the root is not what the user sees.
    bool ShowsDesktopWindow();

    // The work area the window manager announces (_NET_WORKAREA: the root less
    // its panels' struts; the first desktop's, as panels show on every
    // desktop), in root pixels; none when no window manager sets it.
    std::optional<PixelRect> WorkArea();

    // Puts picture (the root's size, Format_RGB32) on the root as a new pixmap,
    // frees the previous setter's pixmap and keeps the new one after this
    // connection closes. Visuals without direct colour channels (8-bit
    // palettes, rare today) get black. Returns what the root now shows, as
    // Picture() would read it.
    Bitmap Show(const QImage& picture);

  private:
    _XDisplay* display_ = nullptr;
    unsigned long root_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool retain_ = false; // a picture was shown: keep its pixmap after closing
};

}  // namespace velnora
