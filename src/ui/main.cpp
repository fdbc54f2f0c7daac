// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "MainContext.h"
#include "ProgramPaths.h"
#include "Umain.h"

int main(int argc, char** argv) {
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later, and the autostart entry must
    // name the path that starts the program.
    ExecutablePath();
    // Any argument at all makes the unattended run (the autostart entry passes "start").
    SetArgumentCount(argc - 1);
    Application application(argc, argv);
    Tmain window(SystemContext());
    window.show();
    application.exec();
    return 0;
}
