// SPDX-License-Identifier: GPL-3.0-or-later
// What the program's paths are on every platform.

#include "ProgramPaths.h"

namespace velnora {

std::string SettingsPathFor(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of(PathSeparators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = executablePath.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return executablePath + ".INI";
    return executablePath.substr(0, dot + 1) + "INI";
}

bool IsOwnWallpaper(const std::string& wallpaper) {
    const std::size_t cut = wallpaper.find_last_of("/\\:");
    const std::string name = cut == std::string::npos ? wallpaper : wallpaper.substr(cut + 1);
    return name == OutputPictureName;
}

}  // namespace velnora
