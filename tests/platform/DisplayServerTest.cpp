#include "DisplayServer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Without a display Qt's default platform aborts the program: a run that
// needs no window must know before it starts Qt. A platform that shows
// nothing (offscreen, as the tests use) is no display either: nobody could
// answer a box on it.
TEST(HasDisplay, AnXServerOrAWaylandCompositorThatQtWillUse) {
    using Value = std::optional<std::string>;
    const struct {
        Value display, wayland, platform;
        bool has;
    } rows[] = {
        {std::nullopt, std::nullopt, std::nullopt, false}, // cron, ssh
        {"", "", std::nullopt, false},
        {":0", std::nullopt, std::nullopt, true},
        {std::nullopt, "wayland-0", std::nullopt, true},
        {std::nullopt, std::nullopt, "xcb", false}, // Qt would abort
        {":0", std::nullopt, "offscreen", false},
        {":0", std::nullopt, "minimal", false},
        {":0", std::nullopt, "xcb", true},
    };
    for (const auto& row : rows) {
        ScopedEnv display("DISPLAY", row.display);
        ScopedEnv wayland("WAYLAND_DISPLAY", row.wayland);
        ScopedEnv platform("QT_QPA_PLATFORM", row.platform);
        EXPECT_EQ(HasDisplay(), row.has)
            << row.display.value_or("unset") << " " << row.wayland.value_or("unset") << " "
            << row.platform.value_or("unset");
    }
}

} // namespace
