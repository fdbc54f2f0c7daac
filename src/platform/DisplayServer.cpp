// SPDX-License-Identifier: GPL-3.0-or-later

#include "DisplayServer.h"

#include <QFile>
#include <QImageReader>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>

#include <X11/Xlib.h>

namespace velnora {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt's platforms that show nothing anyone could see or answer.
bool ScreenlessPlatform() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr)
        return false;
    const std::string_view name(platform);
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

// A DISPLAY left over from a session that has ended (an ssh -X connection
// closed under tmux) names no server: Qt would abort on it as on none.
bool XServerAnswers() {
    if (!Set("DISPLAY"))
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

// WAYLAND_DISPLAY names a socket: a path, or a name in XDG_RUNTIME_DIR
// (Wayland's wl_display_connect).
bool WaylandSocketExists() {
    if (!Set("WAYLAND_DISPLAY"))
        return false;
    std::string socket = std::getenv("WAYLAND_DISPLAY");
    if (socket.front() != '/') {
        if (!Set("XDG_RUNTIME_DIR"))
            return false;
        socket = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + socket;
    }
    struct stat info {};
    return stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

} // namespace

bool HasDisplay() {
    return !ScreenlessPlatform() && (WaylandSocketExists() || XServerAnswers());
}

namespace {

QtMessageHandler noteFilterFallback = nullptr;

void PassOnlyCriticalNotes(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        noteFilterFallback(type, context, message);
}

} // namespace

void DropQtNotes() {
    noteFilterFallback = qInstallMessageHandler(PassOnlyCriticalNotes);
}

void KeepQtNotes() {
    qInstallMessageHandler(noteFilterFallback);
}

}  // namespace velnora
