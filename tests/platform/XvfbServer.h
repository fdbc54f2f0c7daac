// SPDX-License-Identifier: GPL-3.0-or-later
// An X server of the test's own for the platform tests that need one.
#pragma once

#include <csignal>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velnora {

// An X server on a display number it chooses itself (-displayfd), so two test
// runs never collide; it reports the number once it accepts connections. Its
// screen is width x height pixels.
class Xvfb {
  public:
    Xvfb(int width, int height) {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(), "-nolisten",    "tcp",
                              "-noreset", "-screen",    "0",        screen.c_str(), nullptr};
        const int spawned =
            posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char* const*>(argv), environ);
        close(fds[1]);
        std::string number;
        char c = 0;
        while (spawned == 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (spawned != 0 || number.empty())
            throw std::runtime_error("Xvfb did not start");
        name_ = ":" + number;
    }
    ~Xvfb() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = 0;
    std::string name_;
};

}  // namespace velnora
