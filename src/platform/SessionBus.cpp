// SPDX-License-Identifier: GPL-3.0-or-later

#include "SessionBus.h"

#include <QDBusConnection>

#include <glib.h>

namespace velnora {

QDBusMessage CallSessionBus(const char* service, const char* path, const char* interface,
                            const char* method, const QVariantList& arguments) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    // A bus that is not there gives an error reply of its own: no call is made.
    return bus.call(call, QDBus::Block);
}

bool NameHasOwner(const char* name) {
    const QDBusMessage reply = CallSessionBus("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                              "org.freedesktop.DBus", "NameHasOwner", {QString(name)});
    return Answered(reply) && !reply.arguments().isEmpty() && reply.arguments().first().toBool();
}

bool Answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool IsUtf8(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

}  // namespace velnora
