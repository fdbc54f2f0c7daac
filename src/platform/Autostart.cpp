// SPDX-License-Identifier: GPL-3.0-or-later
// The autostart value as an XDG autostart entry (freedesktop.org Desktop Entry
// rules 1.5, "Exec key" and "Possible value types"; Desktop Application
// Autostart rules 0.5).
#include "Autostart.h"

#include "AtomicFile.h"
#include "ProgramPaths.h"
#include "RefreshTimer.h"
#include "StoreErrors.h"
#include "XdgFolders.h"

#include <glib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace velnora {

namespace {

// The Exec key's reserved characters: an argument holding one must be quoted.
// Carriage return is not among them but would not survive unquoted either.
constexpr const char* ReservedInExec = " \t\n\r\"'\\><~|&;$*?#()`";

// Inside double quotes only these four take a backslash.
std::string QuotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(ReservedInExec) == std::string::npos)
        return argument;
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// The escapes of a string value, applied after the Exec quoting: so a literal
// backslash in a quoted path is written as four.
std::string EscapedValue(const std::string& value) {
    std::string result;
    for (const char c : value) {
        switch (c) {
        case '\\':
            result += "\\\\";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\r':
            result += "\\r";
            break;
        default:
            result += c;
        }
    }
    return result;
}

// A Desktop Entry file is UTF-8 and its values hold no other control characters.
bool Representable(const std::string& text) {
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return false;
    for (const unsigned char c : text)
        if ((c < 0x20 && c != '\n' && c != '\t' && c != '\r') || c == 0x7F)
            return false;
    return true;
}

// What the readers of the entry and the units do with a path that holds these:
// "%" is a field code to GIO and a specifier to systemd, and neither reads a
// doubled one back as one; the autostart generator of systemd reads "\" as the
// start of another escape and passes "`" and "$" on with their backslash; and
// systemd refuses quotes and those in an executable's name ("Executable name
// contains special characters"). A control character has no place in either.
constexpr const char* RefusedInPath = "%\\\"'`$";

std::runtime_error CannotHold(const std::string& path, const std::string& what) {
    return std::runtime_error("Cannot switch on the calendar: the program's path \"" + path +
                              "\" " + what +
                              ", which the logon entry cannot hold. Move the program to a folder "
                              "whose name does not.");
}

} // namespace

void CheckProgramPathForLogon(const std::string& executablePath) {
    if (!g_utf8_validate(executablePath.data(), static_cast<gssize>(executablePath.size()),
                         nullptr))
        throw CannotHold(executablePath, "is not UTF-8 text");
    for (const unsigned char c : executablePath) {
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", c);
            throw CannotHold(executablePath, std::string("holds the control character ") + code);
        }
        if (std::strchr(RefusedInPath, c) != nullptr)
            throw CannotHold(executablePath, std::string("holds '") + static_cast<char>(c) + "'");
    }
}

std::string AutostartCommand(const std::string& executablePath) {
    return EscapedValue(QuotedArgument(executablePath) + " start");
}

void SetLogonRedrawFor(const std::string& name, unsigned mode, const std::string& executablePath) {
    if (mode > 1)
        return;
    if (mode == 1)
        CheckProgramPathForLogon(executablePath);
    const std::string folder = XdgConfigHome() + "/autostart";
    const std::string entry = folder + "/" + name + ".desktop";
    if (mode == 0) {
        // As with the registry value, a missing entry is no error.
        unlink(entry.c_str());
        SetRefreshTimer(0, executablePath);
        return;
    }
    // The stand-in for a Run key that cannot be opened: nothing is reported.
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return;
    if (executablePath.empty() || !Representable(name))
        throw WriteRefused(name);
    std::string contents = "[Desktop Entry]\nType=Application\n";
    contents += "Name=" + EscapedValue(name) + "\n";
    // A program removed while the calendar is on hides the entry: nothing
    // runs, nothing fails at the next logons.
    contents += "TryExec=" + EscapedValue(executablePath) + "\n";
    contents += "Exec=" + AutostartCommand(executablePath) + "\n";
    contents += "X-GNOME-Autostart-enabled=true\n";
    // Readable by all, as the other entries of the folder are.
    if (!ReplaceFileContents(entry, contents, 0644))
        throw WriteRefused(name);
    SetRefreshTimer(1, executablePath);
}

void SetLogonRedraw(const std::string& name, unsigned mode) {
    const std::string program = ExecutablePath();
    // A program file replaced while the program runs is started again under
    // the same path; with no file there at all, the entry would start nothing.
    if (mode == 1 && !FileExists(program))
        throw WriteRefused(name);
    SetLogonRedrawFor(name, mode, program);
}

}  // namespace velnora
