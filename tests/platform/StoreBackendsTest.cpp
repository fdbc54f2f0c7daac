// SPDX-License-Identifier: GPL-3.0-or-later
// Which store a session gets: the table of backends tried in order.
#include "StoreBackends.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velnora;

namespace {

TEST(StoreBackends, SessionChoosesTheFirstBackendThatServesIt) {
    const struct {
        const char* desktop;
        const char* display;
        bool wayland;
        const char* backend;
    } rows[] = {
        {"ubuntu:GNOME", "", false, "GNOME family"},
        {"GNOME", "", true, "GNOME family"}, // GNOME keeps its settings under Wayland too
        {"KDE", "", false, "file store"},
        // Xfce without an xfconf that answers: the settings are out of reach.
        {"XFCE", "unix:/nonexistent-velnora-display", false, "file store"},
        // A display that does not open leaves nothing to paint.
        {"", "unix:/nonexistent-velnora-display", false, "file store"},
        // The root window of XWayland is never seen.
        {"sway", "unix:/nonexistent-velnora-display", true, "file store"},
    };
    TempFolder folder;
    ScopedEnv config("XDG_CONFIG_HOME", folder.Path());
    // No session bus: the user's own desktop services are never asked.
    ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder / "no-bus");
    for (const auto& row : rows) {
        const DesktopSession session{row.desktop, row.display, row.wayland};
        EXPECT_STREQ(StoreBackendNameFor(session), row.backend)
            << row.desktop << " " << row.display;
    }
}

TEST(StoreBackends, WaylandIsToldByEitherVariable) {
    const struct {
        std::optional<std::string> sessionType;
        std::optional<std::string> waylandDisplay;
        bool wayland;
    } rows[] = {
        {"wayland", std::nullopt, true},     {std::nullopt, "wayland-0", true},
        {"x11", std::nullopt, false},        {"x11", "", false},
        {std::nullopt, std::nullopt, false},
    };
    for (const auto& row : rows) {
        ScopedEnv type("XDG_SESSION_TYPE", row.sessionType);
        ScopedEnv display("WAYLAND_DISPLAY", row.waylandDisplay);
        EXPECT_EQ(CurrentDesktopSession().wayland, row.wayland)
            << row.sessionType.value_or("-") << " " << row.waylandDisplay.value_or("-");
    }
}

TEST(StoreBackends, CurrentDesktopListIsSplitAtColons) {
    EXPECT_EQ(CurrentDesktopEntries("ubuntu:GNOME"), (std::vector<std::string>{"ubuntu", "GNOME"}));
    EXPECT_EQ(CurrentDesktopEntries("a::b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(CurrentDesktopIncludes("Budgie:GNOME", "gnome"));
    EXPECT_FALSE(CurrentDesktopIncludes("GNOMEish", "gnome"));
}

} // namespace
