// SPDX-License-Identifier: GPL-3.0-or-later
// put_calendar_on PROGRAM: puts the calendar on for the velnora.exe at
// PROGRAM as its window's show box does, through the same library calls, and
// writes no logon entry: that program's own "start" writes it. For the logon
// run of tests/win/logon-run.sh.

#include "GdiCanvas.h"
#include "ProgramPaths.h"
#include "RegistryStore.h"
#include "Session.h"

using namespace velnora;

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const Session on{ProgramFilesFor(argv[1]), CurrentSharedBackup(), OpenRegistryStore,
                     MakeGdiCanvas, VirtualDesktopSize, [](const std::string&, unsigned) {}};
    return Redraw(on, Settings{}, GridsForDay(45000, Settings{})).installed ? 0 : 1;
}
