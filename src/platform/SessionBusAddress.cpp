// SPDX-License-Identifier: GPL-3.0-or-later

#include "SessionBusAddress.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace velnora {

void KeepFromAutolaunchingBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0')
        return;
    // systemd's user bus, which both libraries find there by themselves.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        struct stat info {};
        if (stat((std::string(runtime) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
            return;
    }
    // An unknown transport: both libraries refuse it without trying anything.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace velnora
