// SPDX-License-Identifier: GPL-3.0-or-later
// Method calls on the session bus, for the desktops whose wallpaper settings
// are reached over D-Bus (Xfce's xfconf, KDE Plasma's shell).
#pragma once

#include <QDBusMessage>
#include <QVariantList>

#include <string>

namespace velnora {

// The reply, or an error message when the bus, the service or the method
// did not answer. Blocks until the reply comes (D-Bus activation included) or
// QtDBus's own timeout ends the wait.
QDBusMessage CallSessionBus(const char* service, const char* path, const char* interface,
                            const char* method, const QVariantList& arguments);

// True when a program owns name on the session bus now (without starting one
// that the bus could start); false also when there is no bus.
bool NameHasOwner(const char* name);

// True when the reply is a reply and not an error.
bool Answered(const QDBusMessage& reply);

// D-Bus strings are UTF-8 without NULs: text that is not cannot be sent whole.
bool IsUtf8(const std::string& text);

}  // namespace velnora
