// Switches the calendar on and off the session's desktop as the show box does,
// through the wallpaper library and the session's real store, for the
// end-to-end tests of the desktops' backends:
//   velnora-store-switch on FOLDER PICTURE   puts the BMP file PICTURE on the
//                                            desktop as FOLDER/Velnora.bmp
//   velnora-store-switch off FOLDER          puts the backed-up wallpaper back
//   velnora-store-switch backend             prints the backend the session gets
// FOLDER is a program folder: its settings file is FOLDER/velnora.INI, as for
// a copy of the program there. Errors are printed with status 1.
#include "BmpFile.h"
#include "DesktopStore.h"
#include "ProfileFile.h"
#include "ProgramPaths.h"
#include "StoreBackends.h"
#include "Wallpaper.h"

#include <QCoreApplication>

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    // The D-Bus backends want an application object (QtDBus warns without one).
    QCoreApplication application(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "backend" && argc == 2) {
            std::cout << StoreBackendNameFor(CurrentDesktopSession()) << '\n';
            return 0;
        }
        if ((command == "on" && argc == 4) || (command == "off" && argc == 3)) {
            const std::string folder = argv[2];
            ProfileFile settings(folder + "/velnora.INI");
            if (command == "off") {
                RestoreWallpaper(settings, OpenDesktopStore);
                return 0;
            }
            Bitmap picture;
            std::string why;
            if (!ReadBmpFile(argv[3], picture, &why)) {
                std::cerr << argv[3] << ": " << why << '\n';
                return 1;
            }
            InstallWallpaper(picture, folder + "/" + OutputPictureName, settings, OpenDesktopStore);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cerr << "Usage: velnora-store-switch on FOLDER PICTURE | off FOLDER | backend\n";
    return 2;
}
