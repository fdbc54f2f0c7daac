// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProportionsOption.h"

#include "Commands.h"

namespace velnora {

bool KeepProportions(const CommandLine& line, bool keepByDefault) {
    const std::optional<std::string> value = line.Value("proportions");
    if (!value)
        return keepByDefault;
    if (*value == "keep" || *value == "exact")
        return *value == "keep";
    throw Misuse("--proportions is keep or exact, not '" + *value + "'");
}

}  // namespace velnora
