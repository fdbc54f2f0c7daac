// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of one command, parsed by Qt's command-line parser: options as
// "--name value" or "--name=value", short flags ("-j"), "--" before arguments
// that look like options, "--help" and "-h" on every command.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

using Args = std::vector<std::string>;

struct CommandOption {
    std::vector<std::string> names;  // "persian", "j": without dashes
    const char* valueName = nullptr; // nullptr for a flag
};

class CommandLine;

struct Command {
    const char* name;
    const char* usage; // the command's usage text, "Usage: velnora-cli NAME ..."
    std::vector<CommandOption> options;
    int (*run)(const CommandLine& line);
};

class CommandLine {
  public:
    // Parses the arguments after the command's name. Throws Misuse (Commands.h)
    // for an unknown option, a missing value or a value given to a flag.
    CommandLine(const Command& command, const Args& args);

    bool HelpAsked() const { return IsSet("help"); }
    // Whether the option was given, under any of its names.
    bool IsSet(const std::string& name) const;
    // The option's value, the last one when it was given more than once.
    std::optional<std::string> Value(const std::string& name) const;
    // The arguments that are not options, in order.
    const Args& Positional() const { return positional; }

  private:
    std::map<std::string, Args> values; // by every name of each option given
    Args positional;
};

}  // namespace velnora
