// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainContext.h"

#include "Autostart.h"
#include "PictureDialog.h"
#include "QtCanvas.h"

namespace velnora {

MainContext SystemContext() {
    MainContext context;
    context.files = CurrentProgramFiles();
    context.shared = CurrentSharedBackup();
    context.openStore = OpenDesktopStore;
    context.makeCanvas = MakeQtCanvas;
    context.setLogonRedraw = SetLogonRedraw;
    context.desktopSize = VirtualDesktopSize;
    context.choosePicture = ChoosePictureFile;
    return context;
}

}  // namespace velnora
