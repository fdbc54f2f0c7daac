#include "Commands.h"

#include "DateTime.h"
#include "PersianDate.h"

#include <cstdio>

// velnora-cli today: today's Persian date as the program writes it (1405/09/17).
int RunToday(const Args& args) {
    if (!args.empty())
        return UsageError();
    std::printf("%s\n", PersianDate::DateToPersianStr(Today()).c_str());
    return 0;
}
