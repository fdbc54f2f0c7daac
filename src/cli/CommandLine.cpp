// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include "Commands.h"

#include <QCommandLineParser>
#include <QStringList>

namespace velnora {

namespace {

// Arguments are bytes: Latin-1 maps each byte to one character and back, so a
// file name that is not valid UTF-8 comes back unchanged. Option names are ASCII.
QString FromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace

CommandLine::CommandLine(const Command& command, const Args& args) {
    QCommandLineParser parser;
    std::vector<CommandOption> options = command.options;
    options.push_back({{"help", "h"}});
    for (const CommandOption& option : options) {
        QStringList names;
        for (const std::string& name : option.names)
            names << FromBytes(name);
        parser.addOption(QCommandLineOption(names, QString(),
                                            option.valueName ? QString::fromLatin1(option.valueName)
                                                             : QString()));
    }
    QStringList list{"velnora-cli"}; // the parser skips the program's name
    for (const std::string& arg : args)
        list << FromBytes(arg);
    if (!parser.parse(list))
        throw Misuse(std::string(command.name) + ": " + ToBytes(parser.errorText()));
    for (const CommandOption& option : options) {
        const QString first = FromBytes(option.names.front());
        if (!parser.isSet(first))
            continue;
        Args given;
        for (const QString& value : parser.values(first))
            given.push_back(ToBytes(value));
        for (const std::string& name : option.names)
            values[name] = option.valueName ? given : Args{""};
    }
    for (const QString& arg : parser.positionalArguments())
        positional.push_back(ToBytes(arg));
}

bool CommandLine::IsSet(const std::string& name) const {
    return values.count(name) != 0;
}

std::string UsageText(const Command& command) {
    // Each option's names as given ("-j, --persian", "--calendar RULE"); those
    // without a text of their own join the next one's line.
    constexpr size_t HelpColumn = 21;
    std::string usage = command.synopsis, label;
    for (const CommandOption& option : command.options) {
        std::string names;
        for (const bool shortNames : {true, false})
            for (const std::string& name : option.names)
                if ((name.size() == 1) == shortNames)
                    names += (names.empty() ? "" : ", ") + std::string(shortNames ? "-" : "--") + name;
        if (option.valueName)
            names += std::string(" ") + option.valueName;
        label += (label.empty() ? "  " : ", ") + names;
        if (*option.help == '\0')
            continue;
        // The text beside a label that leaves two blanks before it, else below.
        usage += label + (label.size() + 2 <= HelpColumn ? std::string(HelpColumn - label.size(), ' ')
                                                         : "\n" + std::string(HelpColumn, ' '));
        for (const char* c = option.help; *c; ++c)
            usage += *c == '\n' ? "\n" + std::string(HelpColumn, ' ') : std::string(1, *c);
        usage += '\n';
        label.clear();
    }
    return usage + command.epilogue;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end() || found->second.empty())
        return std::nullopt;
    return found->second.back();
}

}  // namespace velnora
