// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopCertainty.h"

#include "SessionBus.h"
#include "StoreErrors.h"
#include "X11Root.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace velnora {

namespace {

// What else tells that a desktop runs, before its settings service has been
// started: its session manager or its shell.
constexpr std::pair<const char*, const char*> DesktopSessions[] = {
    {"org.gnome.SessionManager", "gnome-session"}, // also Cinnamon's, Budgie's
    {"org.gnome.Shell", "gnome-shell"},
    {"org.xfce.SessionManager", "xfce4-session"},
    {"org.kde.ksmserver", "ksmserver"},
};

// Between two tries while a service starts: short beside its start-up.
constexpr std::chrono::milliseconds PollInterval{250};

// The desktop with a settings service of its own that the session names.
const StoreBackend* NamedDesktop(const DesktopSession& session) {
    for (const StoreBackend* backend : StoreBackendTable)
        if (backend->busName != nullptr && ServesSession(*backend, session))
            return backend;
    return nullptr;
}

// The service answers (the bus starts one that it can start) and the store
// opens: plasmashell owns its name before it has made its desktops.
bool Answers(const StoreBackend& desktop, const DesktopSession& session) {
    return Answered(
               CallSessionBus(desktop.busName, "/", "org.freedesktop.DBus.Peer", "Ping", {})) &&
           desktop.open(StoreAccess::Read, session) != nullptr;
}

} // namespace

std::string WhyNotBareX11(const DesktopSession& session) {
    if (session.wayland)
        return "the session is Wayland";
    if (const StoreBackend* desktop = NamedDesktop(session))
        return std::string("the session is ") + desktop->name;
    X11Root root(session.display);
    if (!root.IsOpen())
        return "the X display does not open";
    // A desktop no backend knows names itself; a session that names none may
    // still run one whose settings hold the wallpaper.
    if (session.currentDesktop.empty()) {
        for (const StoreBackend* desktop : StoreBackendTable)
            if (desktop->busName != nullptr && NameHasOwner(desktop->busName))
                return std::string(desktop->program) + " runs on the session bus";
        for (const auto& [busName, program] : DesktopSessions)
            if (NameHasOwner(busName))
                return std::string(program) + " runs on the session bus";
    }
    if (root.ShowsDesktopWindow())
        return "a desktop window covers the root window";
    return "";
}

DesktopReach ReachDesktop(const DesktopSession& session, std::chrono::milliseconds wait) {
    if (const StoreBackend* desktop = NamedDesktop(session)) {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline = Clock::now() + wait;
        while (!Answers(*desktop, session)) {
            const Clock::duration left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) {
                const auto seconds = std::chrono::ceil<std::chrono::seconds>(wait).count();
                return {nullptr, std::string(desktop->program) + " did not answer within " +
                                     std::to_string(seconds) + " s"};
            }
            std::this_thread::sleep_for(std::min<Clock::duration>(left, PollInterval));
        }
        return {desktop, ""};
    }
    const std::string whyNot = WhyNotBareX11(session);
    if (whyNot.empty())
        return {&BareX11Backend, ""};
    if (!session.currentDesktop.empty())
        return {&FileStoreBackend, ""};
    return {nullptr, "XDG_CURRENT_DESKTOP is not set, and " + whyNot};
}

std::unique_ptr<DesktopStore> OpenReachedStore(const StoreBackend& backend, StoreAccess access,
                                               const DesktopSession& session) {
    std::unique_ptr<DesktopStore> store = backend.open(access, session);
    if (store == nullptr)
        throw access == StoreAccess::Read ? ReadRefused("Wallpaper") : WriteRefused("Wallpaper");
    return store;
}

}  // namespace velnora
