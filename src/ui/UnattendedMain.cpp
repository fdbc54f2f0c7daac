// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedMain.h"

#include "Application.h"
#include "DateTime.h"
#include "Messages.h"
#include "QtCanvas.h"

namespace velnora {

int RunUnattended(const MainContext& context) {
    UnattendedContext run;
    run.paint.files = context.files;
    run.paint.shared = context.shared;
    run.paint.openStore = context.openStore;
    run.paint.makeCanvas = MakeQtCanvas;
    run.desktopSize = context.desktopSize;
    run.setAutoRun = context.setAutoRun;
    run.chosenFileMissing = [] { ShowSelectedFileNotFound(nullptr); };
    run.today = Today();
    // The same handler as the window's: the error's text in a message box, or
    // one line on standard error without a display.
    return RunUnattendedRedraw(run, RunEventHandler);
}

int RunOff(const MainContext& context) {
    return RunOff(context.files, context.shared, context.openStore, context.setAutoRun);
}

}  // namespace velnora
