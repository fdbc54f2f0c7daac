// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "Messages.h"
#include "ProgramPaths.h"
#include "Umain.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later, and the autostart entry must
    // name the path that starts the program.
    ExecutablePath();
    // Any argument at all makes the unattended run (the autostart entry passes "start").
    SetArgumentCount(argc - 1);
    const bool unattended = argc > 1;

    // Without a display (cron, ssh) Qt would abort. The window needs one; the
    // unattended run only draws, which needs none, so it runs on Qt's offscreen
    // platform and prints what it would have shown.
    const bool headless = !HasDisplay();
    if (headless) {
        if (!unattended) {
            std::fputs("velnora: no display: the window needs a graphical session "
                       "(\"velnora start\" redraws the calendar without one)\n",
                       stderr);
            return 1;
        }
        UseOffscreenPlatform();
        PrintMessagesInstead();
    }

    Application application(argc, argv);
    MainContext context = SystemContext();
    if (headless)
        context.desktopSize = [picture = context.files.outputPicture] {
            return DesktopSizeWithoutDisplay(picture);
        };
    Tmain window(context);
    window.show();
    if (headless) {
        // The run closes the window as soon as it is shown. A close refused
        // after an error would wait for a user that no one can be: the run
        // ends there instead. Queued after the window's own activation.
        QTimer::singleShot(0, &window, [&window] {
            if (window.isVisible())
                QCoreApplication::exit(1);
        });
    }
    const int status = application.exec();
    return status != 0 || PrintedMessageCount() > 0 ? 1 : 0;
}
