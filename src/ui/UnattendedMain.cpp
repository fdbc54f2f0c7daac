// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedMain.h"

#include "Application.h"
#include "DateTime.h"
#include "Messages.h"

namespace velnora {

int RunUnattended(const MainContext& context) {
    // The same handler as the window's: the error's text in a message box, or
    // one line on standard error without a display.
    return RunUnattendedRedraw(
        context, Today(), [] { ShowSelectedFileNotFound(nullptr); }, RunEventHandler);
}

}  // namespace velnora
