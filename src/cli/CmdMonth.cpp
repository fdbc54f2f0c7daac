#include "Commands.h"

// Placeholder until the command is built.
int RunMonth(const Args&) {
    PrintError("not built yet");
    return 2;
}
