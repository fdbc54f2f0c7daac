// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include "../support/Files.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velnora {

namespace {

const std::string Program = std::string(VELNORA_BIN_DIR) + "/velnora-cli";

// Spawns the program, after the given prefix of a program that runs it, with
// the given file actions and waits for it.
int SpawnAndWait(const std::vector<std::string>& args, posix_spawn_file_actions_t& actions,
                 const std::vector<std::string>& runner = {}) {
    std::vector<std::string> all = runner;
    all.push_back(Program);
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid;
    const int spawned = posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + Program);
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    return RunCliMeasured(args, input, false);
}

CliResult RunCliMeasured(const std::vector<std::string>& args, const std::string& input,
                         bool measure) {
    TempFolder folder;
    const std::string in = folder / "in", out = folder / "out", err = folder / "err";
    WriteWholeFile(in, input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    CliResult result;
    // The child's own peak, from GNU time: a child spawned straight from the
    // test would count the test's memory too, which it shares until exec.
    const std::string peak = folder / "peak";
    const std::vector<std::string> runner = {"/usr/bin/time", "-f", "%M", "-o", peak};
    result.status = SpawnAndWait(args, actions, measure ? runner : std::vector<std::string>{});
    if (measure) {
        std::istringstream lines(ReadWholeFile(peak));
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])))
                result.peakKiB = std::stol(line);
    }
    result.out = ReadWholeFile(out);
    result.err = ReadWholeFile(err);
    return result;
}

CliResult RunCliInTerminal(const std::vector<std::string>& args, bool inputToo) {
    TempFolder folder;
    const std::string err = folder / "err";
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    const std::string terminal = ptsname(master);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputToo ? terminal.c_str() : "/dev/null",
                                     O_RDONLY | O_NOCTTY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, terminal.c_str(), O_RDWR | O_NOCTTY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addclose(&actions, master);
    CliResult result;
    // The output of one month fits the terminal's buffer, so the child never
    // waits for the reader.
    result.status = SpawnAndWait(args, actions);
    char buffer[4096];
    ssize_t got;
    // Once the child has closed its side, reading gives the rest, then EIO.
    while ((got = read(master, buffer, sizeof buffer)) > 0)
        result.out.append(buffer, static_cast<size_t>(got));
    close(master);
    result.err = ReadWholeFile(err);
    return result;
}

}  // namespace velnora
