// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramPaths.h"

#include "X11Root.h"
#include "XdgFolders.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velnora {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Made ahead so that the first write of the settings file or the picture
// succeeds; when it cannot be made, that write reports the reason.
std::string ProgramDataFolder(const std::string& base) {
    const std::string folder = base + "/velnora/";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

// A folder named "bin" is a prefix's program folder (/usr/bin, /usr/local/bin,
// ~/.local/bin, /opt/x/bin), where an installed copy lies and where no
// settings or pictures belong: it is on PATH. The build writes its programs to
// <build>/bin too, and CMake keeps CMakeCache.txt in <build>: that bin folder
// belongs to a build tree, whose copy stays portable.
bool InPrefixBin(const std::string& folder) {
    const std::filesystem::path bin = std::filesystem::path(folder).parent_path();
    std::error_code ignored;
    return bin.filename() == "bin" &&
           !std::filesystem::exists(bin.parent_path() / "CMakeCache.txt", ignored);
}

} // namespace

ProgramFiles ProgramFilesFor(const std::string& executablePath) {
    ProgramFiles files;
    files.executable = executablePath;
    const std::string folder = FolderOf(executablePath);
    // A portable copy or the build folder keeps its files beside itself, as the
    // program always did; an installed copy uses the XDG folders, whether or
    // not it could write beside itself.
    if (!InPrefixBin(folder) && access(folder.c_str(), W_OK) == 0) {
        files.settingsFile = SettingsPathFor(executablePath);
        files.outputPicture = folder + OutputPictureName;
    } else {
        files.settingsFile =
            ProgramDataFolder(XdgConfigHome()) + SettingsPathFor(FileNameOf(executablePath));
        files.outputPicture = ProgramDataFolder(XdgDataHome()) + OutputPictureName;
    }
    return files;
}

namespace {

// What the kernel appends to /proc/self/exe once the running file is gone.
constexpr std::string_view DeletedMark = " (deleted)";

bool SameFile(const std::string& a, const char* b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string ResolveExecutablePath() {
    std::error_code error;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) {
        // Without /proc (some sandboxes) Qt knows the path when an application exists.
        if (QCoreApplication::instance() != nullptr)
            return QCoreApplication::applicationFilePath().toStdString();
        return {};
    }
    // Replaced before this first call: the path without the mark starts the
    // new file. A program whose very name ends so is still running from it.
    if (path.ends_with(DeletedMark) && !SameFile(path, "/proc/self/exe"))
        path.resize(path.size() - DeletedMark.size());
    return path;
}

} // namespace

std::string ExecutablePath() {
    static std::string resolved;
    if (resolved.empty())
        resolved = ResolveExecutablePath();
    return resolved;
}

ProgramFiles CurrentProgramFiles() {
    return ProgramFilesFor(ExecutablePath());
}

std::string ProgramStateFolder() {
    return XdgStateHome() + "/velnora/";
}

bool FileExists(const std::string& path) {
    // Unlike the Windows file search, no wildcards: "*" names no file here, so a
    // pattern never passes the check and then fails to load.
    if (path.empty())
        return false;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool NothingAt(const std::string& path) {
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

DesktopSize VirtualDesktopSize() {
    // No application or no screen gives 0 x 0, which the stretch refuses with
    // its own message rather than guessing a size the desktop does not have.
    if (qGuiApp == nullptr)
        return {};
    QRect box;
    std::vector<QRect> screens;
    std::vector<QRect> workAreas;
    std::vector<std::string> names;
    for (const QScreen* screen : QGuiApplication::screens()) {
        // Qt keeps each screen's top-left corner in device pixels and divides
        // only its size, and the offsets within the screen, by the scale
        // factor, so only those are scaled back.
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        const auto physical = [&](const QRect& r) {
            const QPoint offset = r.topLeft() - logical.topLeft();
            return QRect(logical.topLeft() + QPoint(qRound(offset.x() * ratio),
                                                    qRound(offset.y() * ratio)),
                         QSize(qRound(r.width() * ratio), qRound(r.height() * ratio)));
        };
        screens.push_back(physical(logical));
        workAreas.push_back(physical(screen->availableGeometry()));
        names.push_back(screen->name().toStdString());
        box |= screens.back();
    }
    // Qt leaves _NET_WORKAREA out of a screen's available area where X has more
    // than one (it covers the whole root, panels on any monitor), so the work
    // area is read from the root here, in the root's pixels as the screens are.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        X11Root root("");
        if (const std::optional<PixelRect> area = root.WorkArea())
            for (std::size_t i = 0; i < screens.size(); ++i) {
                const QRect clear =
                    screens[i] & QRect(area->x, area->y, area->width, area->height);
                // A work area off this screen says nothing about it.
                workAreas[i] = clear.isEmpty() ? screens[i] : clear;
            }
    }
    DesktopSize size{box.width(), box.height(), {}};
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const auto onBox = [&](const QRect& r) {
            return PixelRect{r.x() - box.x(), r.y() - box.y(), r.width(), r.height()};
        };
        size.monitors.push_back({onBox(screens[i]), onBox(workAreas[i]), names[i]});
    }
    return size;
}

}  // namespace velnora
