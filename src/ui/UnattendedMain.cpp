// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedMain.h"

#include "Application.h"
#include "DateTime.h"
#include "Messages.h"
#include "QtCanvas.h"
#include "UnattendedRun.h"

#include <cstdio>
#include <unistd.h>

int RunUnattended(const MainContext& context) {
    UnattendedContext run;
    run.paint.files = context.files;
    run.paint.shared = context.shared;
    run.paint.openStore = context.openStore;
    run.paint.makeCanvas = MakeQtCanvas;
    run.desktopSize = context.desktopSize;
    run.setAutoRun = context.setAutoRun;
    bool messageShown = false;
    run.chosenFileMissing = [&messageShown] {
        messageShown = true;
        ShowSelectedFileNotFound(nullptr);
    };
    run.today = Today();
    bool done = false;
    // The same handler as the window's: the error's text in a message box, or
    // one line on standard error without a display.
    RunEventHandler([&] {
        // Someone who typed the command sees that it did nothing; the logon
        // entry and the timer, which have no terminal, stay quiet.
        if (RedrawInstalledCalendar(run) == UnattendedResult::NotInstalled && isatty(STDERR_FILENO))
            std::fputs("velnora: the calendar is not on the desktop: nothing was redrawn\n", stderr);
        done = true;
    });
    return done && !messageShown ? 0 : 1;
}
