// SPDX-License-Identifier: GPL-3.0-or-later

#include "WallpaperPackage.h"

#include "ProfileFile.h"
#include "XdgFolders.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <tuple>

namespace velnora {

namespace {

// Plasma's defaults when the user's files say nothing: the look-and-feel
// package of a fresh profile and the wallpaper Plasma falls back to.
constexpr const char* DefaultLookAndFeel = "org.kde.breeze.desktop";
constexpr const char* FallbackWallpaper = "Next";

std::string KdeGlobals(const std::string& section, const std::string& key) {
    return ProfileFile(XdgConfigHome() + "/kdeglobals").ReadWhole(section, key).value_or("");
}

// Plasma takes the dark pictures when the window background of the colour
// scheme is dark; a profile without colours has Breeze's light scheme.
bool DarkColourScheme() {
    const QStringList rgb =
        QString::fromStdString(KdeGlobals("Colors:Window", "BackgroundNormal")).split(',');
    if (rgb.size() != 3)
        return false;
    const QColor background(rgb[0].trimmed().toInt(), rgb[1].trimmed().toInt(),
                            rgb[2].trimmed().toInt());
    return background.lightness() < 128;
}

struct Sized {
    QString path;
    int width;
    int height;
};

std::vector<Sized> SizedPictures(const QString& folder) {
    static const QRegularExpression name(QStringLiteral(R"(^(\d+)x(\d+)\.[^.]+$)"));
    std::vector<Sized> pictures;
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = name.match(file);
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width > 0 && height > 0)
            pictures.push_back({dir.filePath(file), width, height});
    }
    return pictures;
}

} // namespace

std::optional<std::string> PackagePictureFor(const std::string& path, PictureSize screen) {
    const QString package = QDir::cleanPath(QString::fromStdString(path));
    if (!QFileInfo(package + "/contents/images").isDir())
        return std::nullopt;
    std::vector<Sized> pictures;
    if (DarkColourScheme())
        pictures = SizedPictures(package + "/contents/images_dark");
    if (pictures.empty())
        pictures = SizedPictures(package + "/contents/images");
    if (pictures.empty())
        return std::nullopt;
    const bool sized = screen.width > 0 && screen.height > 0;
    const double shape = sized ? double(screen.width) / screen.height : 0;
    // Smaller is better: the shape's distance, then covering, then the size
    // (the smallest that covers, the largest of those that do not).
    const auto rank = [&](const Sized& p) {
        const double distance = sized ? std::abs(double(p.width) / p.height - shape) : 0;
        const bool covers = sized && p.width >= screen.width && p.height >= screen.height;
        const long long area = static_cast<long long>(p.width) * p.height;
        return std::tuple(std::round(distance * 1000), !covers, covers ? area : -area);
    };
    const Sized* best = &pictures.front();
    for (const Sized& picture : pictures)
        if (rank(picture) < rank(*best))
            best = &picture;
    return best->path.toStdString();
}

std::string PlasmaDefaultWallpaper() {
    std::string lookAndFeel = KdeGlobals("KDE", "LookAndFeelPackage");
    if (lookAndFeel.empty())
        lookAndFeel = DefaultLookAndFeel;
    const std::vector<std::string> folders = XdgDataFolders();
    std::string name;
    for (const std::string& folder : folders) {
        const std::string defaults =
            folder + "/plasma/look-and-feel/" + lookAndFeel + "/contents/defaults";
        name = ProfileFile(defaults).ReadWhole("Wallpaper", "Image").value_or("");
        if (!name.empty())
            break;
    }
    if (name.empty())
        name = FallbackWallpaper;
    if (QDir::isAbsolutePath(QString::fromStdString(name)))
        return name;
    for (const std::string& folder : folders) {
        const std::string package = folder + "/wallpapers/" + name;
        if (QDir(QString::fromStdString(package)).exists())
            return package + "/";
    }
    return "";
}

}  // namespace velnora
