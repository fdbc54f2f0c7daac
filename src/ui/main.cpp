// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "MainContext.h"
#include "ProgramPaths.h"
#include "Umain.h"

int main(int argc, char** argv) {
    // Any argument at all makes the unattended run (the autostart entry passes "start").
    SetArgumentCount(argc - 1);
    Application application(argc, argv);
    Tmain window(SystemContext());
    window.show();
    application.exec();
    return 0;
}
