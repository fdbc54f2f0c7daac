// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' one program: the application object with the program's
// error handler, then the test class named first on the command line (the
// rest is QTest's), or every class in turn when none is named.
//   velnora-ui-tests [CLASS [QTEST_OPTIONS...]]

#include "UiTesting.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

using namespace velnora;

namespace {

std::map<std::string, UiTestRun>& Classes() {
    static std::map<std::string, UiTestRun> classes;
    return classes;
}

}  // namespace

bool velnora::RegisterUiTest(const char* name, UiTestRun run) {
    return Classes().emplace(name, run).second;
}

int main(int argc, char** argv) {
    Application application(argc, argv);
    if (argc > 1 && argv[1][0] != '-') {
        const auto found = Classes().find(argv[1]);
        if (found == Classes().end()) {
            std::fprintf(stderr, "no window test class %s\n", argv[1]);
            return 2;
        }
        argv[1] = argv[0];
        return found->second(argc - 1, argv + 1);
    }
    int failed = 0;
    for (const auto& [name, run] : Classes())
        failed += run(argc, argv);
    return failed == 0 ? 0 : 1;
}
