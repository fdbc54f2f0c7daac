#include "Commands.h"

// Placeholder until the command is built.
int RunStretch(const Args&) {
    PrintError("not built yet");
    return 2;
}
