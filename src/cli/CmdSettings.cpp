// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli settings [FILE]: the choices the program will use, as it reads them.
#include "Commands.h"

#include "ProgramPaths.h"
#include "Settings.h"
#include "Wallpaper.h"

#include <filesystem>
#include <iostream>

namespace velnora {

std::string ProgramSettingsFile() {
    const std::filesystem::path program =
        std::filesystem::path(ExecutablePath()).parent_path() / "velnora";
    return ProgramFilesFor(program.string()).settingsFile;
}

namespace {

int RunSettings(const CommandLine& line) {
    const Args& args = line.Positional();
    if (args.size() > 1)
        throw Misuse("settings: unexpected argument '" + args[1] + "'");
    const ProfileFile file(args.empty() ? ProgramSettingsFile() : args[0]);
    const Settings settings = LoadSettings(file);
    for (const SettingKey& key : SettingsSchema)
        std::cout << key.section << '/' << key.key << '=' << SettingText(settings, key) << '\n';
    if (BackupPresent(file))
        for (const std::string& key : file.Keys(BackupSection))
            std::cout << BackupSection << '/' << key << '='
                      << file.ReadString(BackupSection, key, "") << '\n';
    return 0;
}

} // namespace

const Command SettingsCommand = {
    "settings",
    "Usage: velnora-cli settings [FILE]\n"
    "\n"
    "Shows the choices the program will use, as it reads them from its settings\n"
    "file (default: the settings file of the velnora program beside this command),\n"
    "one section/key=value line for each reading, then the backup of the previous\n"
    "wallpaper when the file holds one.\n",
    {},
    RunSettings,
};

}  // namespace velnora
