// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built velnora-cli as its own process and collects what it gives.
#pragma once

#include <string>
#include <vector>

namespace velnora {

struct CliResult {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
    long peakKiB = 0; // the most memory it held (its largest resident set), when measured
};

// Standard input from `input`, standard output and error into files.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");
// The same, and with measure its peak memory, through GNU time.
CliResult RunCliMeasured(const std::vector<std::string>& args, const std::string& input,
                         bool measure);

// Standard output on a pseudo-terminal (isatty is true there), and standard
// input too when asked; its line discipline writes "\r\n" for every "\n".
CliResult RunCliInTerminal(const std::vector<std::string>& args, bool inputToo = false);

}  // namespace velnora
