#include "Commands.h"

// Placeholder until the command is built.
int RunConvert(const Args&) {
    PrintError("not built yet");
    return 2;
}
