// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopScale.h"

#include "GnomeStore.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace velnora {

namespace {

// The range of the calendar's scale; a desktop drawn smaller than at 96 dots
// per inch keeps the calendar as designed.
constexpr int LeastPercent = 100;
constexpr int MostPercent = 400;

int PercentOf(double factor) {
    return static_cast<int>(std::lround(factor * 100));
}

// The screen's device pixel ratio, which Qt takes from the desktop (Xft.dpi,
// the compositor's scale, QT_SCALE_FACTOR); 0 on Qt's offscreen platform or
// without an application.
int ScreenPercent() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr ||
        QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? PercentOf(screen->devicePixelRatio()) : 0;
}

// GNOME's whole-number interface scale (Settings > Displays on X11); 0 means
// automatic, which GNOME works out from the screen, and counts as unknown.
int GnomePercent() {
    return 100 * static_cast<int>(GnomeInterfaceNumber("scaling-factor").value_or(0));
}

// Xft.dpi of the X resources, which GNOME, Xfce and KDE set to 96 times their
// scale; 0 without an X server or the resource.
int XftPercent() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return 0;
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(nullptr),
                                                                 XCloseDisplay);
    if (!connection)
        return 0;
    const char* resources = XResourceManagerString(connection.get());
    if (resources == nullptr)
        return 0;
    const char* found = std::strstr(resources, "Xft.dpi:");
    if (found == nullptr)
        return 0;
    const double dpi = std::strtod(found + std::strlen("Xft.dpi:"), nullptr);
    // 96 dots per inch is the desktops' 100 %.
    return dpi > 0 ? PercentOf(dpi / 96) : 0;
}

} // namespace

int DesktopScalePercent() {
    const int percent = std::max({ScreenPercent(), GnomePercent(), XftPercent()});
    return std::clamp(percent, LeastPercent, MostPercent);
}

}  // namespace velnora
