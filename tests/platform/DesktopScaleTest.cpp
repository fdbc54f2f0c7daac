// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's scale factor as the X resources give it (Xft.dpi, which GNOME,
// Xfce and KDE set), on an X server of the test's own.
#include "DesktopScale.h"
#include "TestSupport.h"
#include "XvfbServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace velnora;

namespace {

// Sets the root window's resources as xrdb does, or removes them.
void SetResources(const std::string& display, const char* resources) {
    const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(display.c_str()),
                                                                 XCloseDisplay);
    ASSERT_TRUE(connection);
    Display* x = connection.get();
    const Atom property = XInternAtom(x, "RESOURCE_MANAGER", False);
    if (resources == nullptr)
        XDeleteProperty(x, DefaultRootWindow(x), property);
    else
        XChangeProperty(x, DefaultRootWindow(x), property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources),
                        static_cast<int>(std::strlen(resources)));
    XSync(x, False);
}

TEST(DesktopScalePercent, FollowsXftDpi) {
    const Xvfb server(64, 48);
    const ScopedEnv display("DISPLAY", server.Name());
    // No GNOME scaling factor: the settings of this test's own, all defaults.
    const ScopedEnv settings("GSETTINGS_BACKEND", "memory");
    struct {
        const char* resources;
        int percent;
    } const cases[] = {
        {nullptr, 100},
        {"Xft.dpi:\t96\n", 100},
        {"Xft.dpi:\t192\n", 200},
        {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 150},
        {"Xft.dpi: 120\n", 125},
        // Smaller than designed stays as designed; larger than 400 % is 400 %.
        {"Xft.dpi:\t72\n", 100},
        {"Xft.dpi:\t960\n", 400},
        {"Xft.dpi:\tmany\n", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resources ? c.resources : "none");
        SetResources(server.Name(), c.resources);
        EXPECT_EQ(DesktopScalePercent(), c.percent);
    }
}

TEST(DesktopScalePercent, WithoutADesktopIs100) {
    const ScopedEnv display("DISPLAY", std::nullopt);
    const ScopedEnv settings("GSETTINGS_BACKEND", "memory");
    EXPECT_EQ(DesktopScalePercent(), 100);
}

} // namespace
