// SPDX-License-Identifier: GPL-3.0-or-later
// Which wallpaper store this session's desktop uses.
#include "DesktopStore.h"
#include "StoreBackends.h"
#include "XdgFolders.h"

#include <glib.h>

#include <cstdlib>

namespace velnora {

std::string WallpaperStorePath() {
    return XdgConfigHome() + "/velnora/wallpaper.ini";
}

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

DesktopSession CurrentDesktopSession() {
    DesktopSession session;
    session.currentDesktop = Variable("XDG_CURRENT_DESKTOP");
    session.display = Variable("DISPLAY");
    session.wayland =
        Variable("XDG_SESSION_TYPE") == "wayland" || !Variable("WAYLAND_DISPLAY").empty();
    return session;
}

std::vector<std::string> CurrentDesktopEntries(const std::string& currentDesktop) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= currentDesktop.size()) {
        std::size_t end = currentDesktop.find(':', start);
        if (end == std::string::npos)
            end = currentDesktop.size();
        entries.push_back(currentDesktop.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

bool CurrentDesktopIncludes(const std::string& currentDesktop, const char* desktop) {
    for (const std::string& entry : CurrentDesktopEntries(currentDesktop))
        if (g_ascii_strcasecmp(entry.c_str(), desktop) == 0)
            return true;
    return false;
}

bool ServesSession(const StoreBackend& backend, const DesktopSession& session) {
    return backend.desktop != nullptr
               ? CurrentDesktopIncludes(session.currentDesktop, backend.desktop)
               : backend.matches(session);
}

std::unique_ptr<DesktopStore> OpenStoreFor(StoreAccess access, const DesktopSession& session) {
    for (const StoreBackend* backend : StoreBackendTable)
        if (ServesSession(*backend, session))
            if (auto store = backend->open(access, session))
                return store;
    // The file store matches every session and always opens.
    return OpenFileStore(access, WallpaperStorePath());
}

const char* StoreBackendNameFor(const DesktopSession& session) {
    for (const StoreBackend* backend : StoreBackendTable)
        if (ServesSession(*backend, session) &&
            backend->open(StoreAccess::Read, session) != nullptr)
            return backend->name;
    return FileStoreBackend.name;
}

std::unique_ptr<DesktopStore> OpenDesktopStore(StoreAccess access) {
    return OpenStoreFor(access, CurrentDesktopSession());
}

}  // namespace velnora
