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

std::optional<std::string> CommandLine::Value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end() || found->second.empty())
        return std::nullopt;
    return found->second.back();
}

}  // namespace velnora
