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
    const char* valueName = nullptr; // nullptr for a flag; the usage shows it
    // What the usage says of it, one line each at most 58 columns; empty when
    // it shares the next option's text ("--dx TEXT, --dy TEXT").
    const char* help = "";
};

class CommandLine;

struct Command {
    const char* name;
    // The usage text's start, "Usage: velnora-cli NAME ..." and what the
    // command does, then a line for each option (UsageText), then the rest.
    const char* synopsis;
    std::vector<CommandOption> options;
    int (*run)(const CommandLine& line);
    const char* epilogue = "";
};

// The command's usage text: its synopsis, its options with what they do, one
// beside the other from column 21, and its epilogue.
std::string UsageText(const Command& command);

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
