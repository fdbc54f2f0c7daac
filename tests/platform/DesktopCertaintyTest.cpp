// SPDX-License-Identifier: GPL-3.0-or-later
// Which store a run without a window may change, with no session bus (so no
// desktop service answers); the desktops' own programs run in the e2e tests.
#include "DesktopCertainty.h"
#include "TestSupport.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

using namespace velnora;

namespace {

TEST(ReachDesktop, ChangesOnlyADesktopItIsSureOf) {
    const Xvfb server(64, 48);
    const std::string dead = "unix:/nonexistent-velnora-display";
    const struct {
        const char* desktop;
        std::string display;
        bool wayland;
        const char* backend; // "" for none
        const char* whyNot;
    } rows[] = {
        {"", server.Name(), false, "bare X11", ""},
        {"i3", server.Name(), false, "bare X11", ""},
        {"sway", "", true, "file store", ""}, // a desktop no backend knows
        {"KDE", server.Name(), false, "", "plasmashell did not answer within 1 s"},
        {"", server.Name(), true, "", "XDG_CURRENT_DESKTOP is not set, and the session is Wayland"},
        {"", dead, false, "", "XDG_CURRENT_DESKTOP is not set, and the X display does not open"},
    };
    TempFolder folder;
    ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder / "no-bus");
    for (const auto& row : rows) {
        const DesktopReach reach =
            ReachDesktop({row.desktop, row.display, row.wayland}, std::chrono::milliseconds(300));
        EXPECT_STREQ(reach.backend != nullptr ? reach.backend->name : "", row.backend) << row.desktop;
        EXPECT_EQ(reach.whyNot, row.whyNot) << row.desktop;
    }
}

} // namespace
