// SPDX-License-Identifier: GPL-3.0-or-later
// The refresh timer as systemd user units (systemd.unit(5), systemd.service(5),
// systemd.timer(5), systemd.time(7)), and the user's service manager reached
// through its D-Bus interface org.freedesktop.systemd1 (GDBus, already linked
// for the GNOME store, so no second D-Bus library).
#include "RefreshTimer.h"

#include "AtomicFile.h"
#include "StoreErrors.h"
#include "XdgFolders.h"

#include <gio/gio.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

namespace velnora {

namespace {

namespace fs = std::filesystem;

// OnCalendar: 10 s after local midnight, so that a clock a little behind has
// also reached the new day. Persistent: a start of the manager after a missed
// midnight (the machine was off) runs the service at once; a realtime timer
// also elapses at resume when its time passed during a suspend.
constexpr const char* TimerUnit =
    "[Unit]\n"
    "Description=Velnora: redraw the wallpaper calendar after midnight\n"
    "\n"
    "[Timer]\n"
    "OnCalendar=*-*-* 00:00:10\n"
    "Persistent=true\n"
    "\n"
    "[Install]\n"
    "WantedBy=timers.target\n";

// Characters that need no quoting in an ExecStart word; bytes above 0x7F are
// the rest of UTF-8 text.
bool PlainInExec(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '.' || c == '_' || c == '-' || c == '+' || c >= 0x80;
}

bool Control(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// One ExecStart word. Inside double quotes systemd reads C escapes, so a quote
// and a backslash take a backslash and a control character is written as \xNN;
// "%" starts a specifier. In the executable's own name "$" starts no variable.
std::string ExecWord(const std::string& word) {
    bool plain = !word.empty();
    for (const unsigned char c : word)
        plain = plain && PlainInExec(c);
    std::string quoted = plain ? "" : "\"";
    for (const unsigned char c : word) {
        if (Control(c)) {
            constexpr const char* Hex = "0123456789abcdef";
            quoted += {'\\', 'x', Hex[c >> 4], Hex[c & 15]};
            continue;
        }
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += static_cast<char>(c);
        if (c == '%')
            quoted += static_cast<char>(c);
    }
    return plain ? quoted : quoted + '"';
}

std::string ServiceUnit(const std::string& executablePath) {
    // A program removed while the calendar is on (a purged package, a deleted
    // build folder) leaves the service skipped, not failed every night.
    return "[Unit]\n"
           "Description=Velnora: redraw the wallpaper calendar for today\n"
           "ConditionFileIsExecutable=" +
           executablePath +
           "\n"
           "\n"
           "[Service]\n"
           "Type=oneshot\n"
           "ExecStart=" +
           RefreshCommand(executablePath) + "\n";
}

// Writes the unit unless it already holds exactly that; true when written.
bool WriteUnit(const std::string& path, const std::string& contents, const char* unitName) {
    std::ifstream existing(path, std::ios::binary);
    std::ostringstream old;
    old << existing.rdbuf();
    if (existing && old.str() == contents)
        return false;
    // Readable by all, as systemctl writes units.
    if (!ReplaceFileContents(path, contents, 0644))
        throw WriteRefused(unitName);
    return true;
}

// The link "systemctl --user enable" makes: <folder>/timers.target.wants/<timer>
// pointing at the unit file. True when made.
bool EnableTimer(const std::string& folder) {
    const fs::path unit = folder + "/" + RefreshTimerName;
    const fs::path link = folder + "/timers.target.wants/" + RefreshTimerName;
    std::error_code error;
    if (fs::is_symlink(link, error) && fs::read_symlink(link, error) == unit)
        return false;
    fs::create_directories(link.parent_path(), error);
    fs::remove(link, error);
    fs::create_symlink(unit, link, error);
    if (error)
        throw WriteRefused(RefreshTimerName);
    return true;
}

struct CloseBus {
    void operator()(GDBusConnection* bus) const {
        g_dbus_connection_close_sync(bus, nullptr, nullptr);
        g_object_unref(bus);
    }
};
using Bus = std::unique_ptr<GDBusConnection, CloseBus>;

// The session bus, never started for us: D-Bus autolaunch would leave a bus
// daemon behind. Its address is DBUS_SESSION_BUS_ADDRESS, else the user bus
// socket $XDG_RUNTIME_DIR/bus that the user's service manager provides.
Bus SessionBus() {
    std::string address;
    if (const char* given = std::getenv("DBUS_SESSION_BUS_ADDRESS"); given && *given) {
        address = given;
    } else {
        const std::string runtime = XdgRuntimeDir();
        std::error_code error;
        if (runtime.empty() || !fs::is_socket(runtime + "/bus", error))
            return nullptr;
        gchar* escaped = g_dbus_address_escape_value((runtime + "/bus").c_str());
        address = std::string("unix:path=") + escaped;
        g_free(escaped);
    }
    const auto flags =
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
    return Bus(
        g_dbus_connection_new_for_address_sync(address.c_str(), flags, nullptr, nullptr, nullptr));
}

// One call to an object of the manager; its reply, or null when it did not answer.
GVariant* CallObject(GDBusConnection* bus, const char* object, const char* interface,
                     const char* method, GVariant* parameters) {
    // No auto-start: the bus's activation file for the manager only fails.
    return g_dbus_connection_call_sync(bus, "org.freedesktop.systemd1", object, interface, method,
                                       parameters, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, -1,
                                       nullptr, nullptr);
}

GVariant* CallManager(GDBusConnection* bus, const char* interface, const char* method,
                      GVariant* parameters) {
    return CallObject(bus, "/org/freedesktop/systemd1", interface, method, parameters);
}

// Stops the timer and waits until the manager's stop job is over: units
// removed and the manager reloaded while the job is still queued leave the
// timer "failed". The job's object goes when the job ends. Up to 30 s, a
// bound for a busy machine; a stop takes milliseconds.
void StopTimer(GDBusConnection* bus) {
    GVariant* reply = CallManager(bus, "org.freedesktop.systemd1.Manager", "StopUnit",
                                  g_variant_new("(ss)", RefreshTimerName, "replace"));
    if (reply == nullptr)
        return;
    const gchar* job = nullptr;
    g_variant_get(reply, "(&o)", &job);
    const std::string jobPath = job;
    g_variant_unref(reply);
    for (int i = 0; i < 3000; ++i) {
        GVariant* state =
            CallObject(bus, jobPath.c_str(), "org.freedesktop.DBus.Properties", "Get",
                       g_variant_new("(ss)", "org.freedesktop.systemd1.Job", "State"));
        if (state == nullptr)
            return;
        g_variant_unref(state);
        g_usleep(10000);
    }
}

void CallManagerIgnoringReply(GDBusConnection* bus, const char* method, GVariant* parameters) {
    if (GVariant* reply = CallManager(bus, "org.freedesktop.systemd1.Manager", method, parameters))
        g_variant_unref(reply);
}

// True when the manager answering on the bus reads its units from `folder`
// (its property UnitPath): a manager of another configuration, as under a
// test's or a second HOME, must not be touched.
bool ReadsUnitsFrom(GDBusConnection* bus, const std::string& folder) {
    GVariant* reply =
        CallManager(bus, "org.freedesktop.DBus.Properties", "Get",
                    g_variant_new("(ss)", "org.freedesktop.systemd1.Manager", "UnitPath"));
    if (reply == nullptr)
        return false;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    bool found = false;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
        gsize count = 0;
        const gchar** paths = g_variant_get_strv(value, &count);
        for (gsize i = 0; i < count && !found; ++i) {
            std::error_code error;
            found = fs::equivalent(paths[i], folder, error);
        }
        g_free(paths);
    }
    g_variant_unref(value);
    g_variant_unref(reply);
    return found;
}

// The user's manager when it is reachable and reads `folder`; else null. Not
// reaching it is no error: the link starts the timer at the next logon.
Bus UserManagerFor(const std::string& folder) {
    Bus bus = SessionBus();
    if (bus && !ReadsUnitsFrom(bus.get(), folder))
        bus.reset();
    return bus;
}

} // namespace

std::string UserUnitFolder() {
    return XdgConfigHome() + "/systemd/user";
}

std::string RefreshCommand(const std::string& executablePath) {
    return ExecWord(executablePath) + " refresh";
}

void SetRefreshTimer(unsigned mode, const std::string& executablePath) {
    if (mode > 1)
        return;
    const std::string folder = UserUnitFolder();
    const std::string timer = folder + "/" + RefreshTimerName;
    const std::string service = folder + "/" + RefreshServiceName;
    if (mode == 0) {
        const Bus manager = UserManagerFor(folder);
        if (manager)
            StopTimer(manager.get());
        std::error_code ignored; // a missing file is no error
        bool removed = fs::remove(folder + "/timers.target.wants/" + RefreshTimerName, ignored);
        removed = fs::remove(timer, ignored) || removed;
        removed = fs::remove(service, ignored) || removed;
        if (manager && removed)
            CallManagerIgnoringReply(manager.get(), "Reload", nullptr);
        return;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return;
    // A unit file is UTF-8 text.
    if (executablePath.empty() ||
        !g_utf8_validate(executablePath.data(), static_cast<gssize>(executablePath.size()),
                         nullptr))
        throw WriteRefused(RefreshServiceName);
    bool changed = WriteUnit(service, ServiceUnit(executablePath), RefreshServiceName);
    changed = WriteUnit(timer, TimerUnit, RefreshTimerName) || changed;
    changed = EnableTimer(folder) || changed;
    if (const Bus manager = UserManagerFor(folder)) {
        if (changed)
            CallManagerIgnoringReply(manager.get(), "Reload", nullptr);
        CallManagerIgnoringReply(manager.get(), "StartUnit",
                                 g_variant_new("(ss)", RefreshTimerName, "replace"));
    }
}

}  // namespace velnora
