// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli settings [FILE]: the choices the program will use, as it reads them.
#include "Commands.h"

#include "ProgramPaths.h"
#include "Settings.h"
#include "Wallpaper.h"

#include <filesystem>
#include <iostream>

std::string ProgramSettingsFile() {
    const std::filesystem::path program =
        std::filesystem::path(ExecutablePath()).parent_path() / "velnora";
    return ProgramFilesFor(program.string()).settingsFile;
}

int RunSettings(const Args& args) {
    if (args.size() > 1)
        return UsageError();
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
