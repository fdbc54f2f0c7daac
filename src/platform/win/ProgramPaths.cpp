// SPDX-License-Identifier: GPL-3.0-or-later
// The program's files and the desktop's size on Windows.

#include "ProgramPaths.h"
#include "WidePath.h"

#include <filesystem>
#include <system_error>

#include <windows.h>
#include <shlobj.h>

namespace velnora {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparators);
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A known folder of the user's (%APPDATA%, %LOCALAPPDATA%) with "Velnora\"
// below it, made ahead so that the first write there succeeds; when it cannot
// be made, that write reports the reason.
std::string VelnoraFolderIn(REFKNOWNFOLDERID known) {
    wchar_t* base = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(known, KF_FLAG_CREATE, nullptr, &base) == S_OK)
        folder = Utf8Text(base, wcslen(base)) + "\\Velnora\\";
    CoTaskMemFree(base);
    std::error_code ignored;
    std::filesystem::create_directories(WidePath(folder), ignored);
    return folder;
}

// Windows' folder rights are not the read-only attribute: only a file made
// there tells (Program Files refuses it to a user without elevation).
bool FolderWritable(const std::string& folder) {
    const std::wstring probe = WidePath(folder + "Velnora-write-check.tmp");
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

} // namespace

ProgramFiles ProgramFilesFor(const std::string& executablePath) {
    ProgramFiles files;
    files.executable = executablePath;
    const std::string folder = FolderOf(executablePath);
    if (FolderWritable(folder)) {
        files.settingsFile = SettingsPathFor(executablePath);
        files.outputPicture = folder + OutputPictureName;
    } else {
        const std::string data = VelnoraFolderIn(FOLDERID_RoamingAppData);
        files.settingsFile = data + SettingsPathFor(FileNameOf(executablePath));
        files.outputPicture = data + OutputPictureName;
    }
    return files;
}

std::string ExecutablePath() {
    static const std::string resolved = [] {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length =
                GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0)
                return std::string();
            if (length < path.size())
                return Utf8Text(path.data(), length);
            path.resize(path.size() * 2);
        }
    }();
    return resolved;
}

ProgramFiles CurrentProgramFiles() {
    return ProgramFilesFor(ExecutablePath());
}

std::string ProgramStateFolder() {
    return VelnoraFolderIn(FOLDERID_LocalAppData);
}

bool FileExists(const std::string& path) {
    // No wildcards: the system refuses "*" and "?" in a name it is asked about.
    if (path.empty())
        return false;
    std::wstring wide;
    try {
        wide = WidePath(path);
    } catch (const std::runtime_error&) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool NothingAt(const std::string& path) {
    std::wstring wide;
    try {
        wide = WidePath(path);
    } catch (const std::runtime_error&) {
        return false; // a name the system cannot be asked about: the loader says why
    }
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

DesktopSize VirtualDesktopSize() {
    // In physical pixels because the program declares itself DPI aware (its
    // manifest); an unaware program would be given a scaled-down size.
    return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace velnora
