// SPDX-License-Identifier: GPL-3.0-or-later
// put_calendar_on PROGRAM: the calendar on for that velnora.exe as its show
// box puts it, without the logon entry (its "start" writes it); for logon-run.sh.

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
