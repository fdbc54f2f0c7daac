// SPDX-License-Identifier: GPL-3.0-or-later

#include "DisplayServer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace velnora;

namespace {

// Without a display Qt's default platform aborts the program: a run that
// needs no window must know before it starts Qt. A platform that shows
// nothing (offscreen, as the tests use) is no display either: nobody could
// answer a box on it.
// The X server's side runs in the end-to-end test, on an Xvfb of its own;
// here a display number no server uses stands for a DISPLAY left over from an
// ended session.
TEST(HasDisplay, AnXServerOrAWaylandCompositorThatQtWillUse) {
    TempFolder runtime;
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = runtime / "wayland-7";
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    WriteWholeFile(runtime / "wayland-file", "not a socket");
    ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.Path());

    using Value = std::optional<std::string>;
    const std::string deadX = ":" + std::to_string(1000 + getpid() % 5000);
    const struct {
        Value display, wayland, platform;
        bool has;
    } rows[] = {
        {std::nullopt, std::nullopt, std::nullopt, false}, // cron, ssh
        {"", "", std::nullopt, false},
        {deadX, std::nullopt, std::nullopt, false}, // Qt would abort
        {std::nullopt, "wayland-7", std::nullopt, true},
        {std::nullopt, socketPath, std::nullopt, true},
        {std::nullopt, "wayland-0", std::nullopt, false}, // no compositor there
        {std::nullopt, "wayland-file", std::nullopt, false},
        {deadX, "wayland-7", std::nullopt, true},
        {std::nullopt, std::nullopt, "xcb", false},
        {std::nullopt, "wayland-7", "offscreen", false}, // nobody sees a window
        {std::nullopt, "wayland-7", "minimal", false},
    };
    for (const auto& row : rows) {
        ScopedEnv display("DISPLAY", row.display);
        ScopedEnv wayland("WAYLAND_DISPLAY", row.wayland);
        ScopedEnv platform("QT_QPA_PLATFORM", row.platform);
        EXPECT_EQ(HasDisplay(), row.has)
            << row.display.value_or("unset") << " " << row.wayland.value_or("unset") << " "
            << row.platform.value_or("unset");
    }
    close(listening);
}

} // namespace
