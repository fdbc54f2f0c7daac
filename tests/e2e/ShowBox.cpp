// SPDX-License-Identifier: GPL-3.0-or-later
// The show box of the main window, set as a user sets it, for the end-to-end
// tests: the program's own window on the session's desktop, with the settings
// file and output picture of the program named on the command line, then
// closed as a user closes it. Every message the window would show goes to
// standard error instead, and makes the status 1. With "shown" the window is
// on the screen while the box is set, as it is for a user: what it tells only
// a user who sees it is told then.
//   velnora-show-box PROGRAM on|off [shown]
#include "Application.h"
#include "MainContext.h"
#include "Messages.h"
#include "ProgramPaths.h"
#include "Umain.h"

#include <QCheckBox>

#include <cstdio>
#include <string>

using namespace velnora;

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (std::string(argv[2]) != "on" && std::string(argv[2]) != "off") ||
        (argc == 4 && std::string(argv[3]) != "shown")) {
        std::fputs("usage: velnora-show-box PROGRAM on|off [shown]\n", stderr);
        return 2;
    }
    const std::string program = argv[1];
    const bool on = std::string(argv[2]) == "on";
    int argumentCount = 1;
    Application application(argumentCount, argv);
    int messages = 0;
    SetMessageHookForTesting([&messages](const QString& title, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        ++messages;
    });
    MainContext context = SystemContext();
    context.files = ProgramFilesFor(program);
    {
        Tmain window(context);
        if (argc == 4)
            window.show();
        window.CHK_show->setChecked(on);
        window.close();
    }
    SetMessageHookForTesting({});
    return messages == 0 ? 0 : 1;
}
