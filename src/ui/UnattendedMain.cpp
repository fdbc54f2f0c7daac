// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedMain.h"

#include "Application.h"
#include "DateTime.h"
#include "Messages.h"
#include "QtCanvas.h"
#include "UnattendedRun.h"

#include <cstdio>

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
        RedrawInstalledCalendar(run);
        done = true;
    });
    return done && !messageShown ? 0 : 1;
}

int NothingRedrawn(const std::string& why, bool timerRun) {
    std::fprintf(stderr, "velnora: %s: the calendar was not redrawn\n", why.c_str());
    return timerRun ? 0 : 1;
}
