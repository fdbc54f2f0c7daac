// SPDX-License-Identifier: GPL-3.0-or-later
// velnora.exe: a Persian month calendar on the Windows desktop wallpaper. A
// run without arguments opens the main window; the commands without a window:
// start (the Run key's), refresh, off, --help and --version, as the Linux
// velnora gives them.
#include "DateTime.h"
#include "GdiCanvas.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ProgramPaths.h"
#include "ProgramRequest.h"
#include "RegistryStore.h"
#include "RunKey.h"
#include "UnattendedRuns.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include <windows.h>

using namespace velnora;

namespace {

// A program of the Windows subsystem, which the logon starts without a
// console window, has no standard streams when typed at a command prompt:
// it borrows the prompt's console. Streams given to it (a pipe, a file)
// stay as they are.
void UseParentConsole() {
    if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr && GetStdHandle(STD_ERROR_HANDLE) != nullptr)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr)
        std::freopen("CONOUT$", "w", stdout);
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr)
        std::freopen("CONOUT$", "w", stderr);
}

bool HasStandardError() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error != nullptr && error != INVALID_HANDLE_VALUE &&
           GetFileType(error) != FILE_TYPE_UNKNOWN;
}

// The error's text in a message box, as the window shows its errors; one line
// on standard error when the program has one (typed at a prompt, or run by a
// script), whose user reads it there.
void ShowingErrors(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        if (HasStandardError())
            std::fprintf(stderr, "velnora: %s\n", error.what());
        else
            ShowMessage(nullptr, "Velnora", error.what(), MB_ICONERROR);
    }
}

Session SystemSession() {
    return {CurrentProgramFiles(), CurrentSharedBackup(), OpenRegistryStore, MakeGdiCanvas,
            VirtualDesktopSize, SetLogonRedraw};
}

} // namespace

int main(int argc, char** argv) {
    UseParentConsole();
    const Request request = RequestOf(argc, argv);
    if (const std::optional<int> status = AnswerAtOnce(request))
        return *status;
    // Resolved first, while the program file is surely the one running: the
    // Run value names the path that starts the program.
    ExecutablePath();
    if (request == Request::Window)
        return RunMainWindow(SystemSession());
    if (request == Request::Off)
        return RunOff(SystemSession());
    return RunUnattendedRedraw(
        SystemSession(), Today(),
        [] { ShowSelectedFileNotFound(nullptr); }, ShowingErrors);
}
