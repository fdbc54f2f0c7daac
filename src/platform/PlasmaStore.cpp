// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper store of KDE Plasma (5 and 6, X11 and Wayland): the settings
// of each desktop (containment) of the shell, read and written by scripts that
// the shell runs (org.kde.plasmashell /PlasmaShell evaluateScript).
//
// Each desktop has a wallpaper plugin; the picture plugin "org.kde.image"
// keeps, in its group Wallpaper/org.kde.image/General:
//   Image     the picture's URL ("file:///home/me/sea.jpg"); absent on a fresh profile
//   FillMode  0 stretch, 1 fit, 2 fill (crop; the default when absent), 3 tile,
//             4 tile vertically, 5 tile horizontally, 6 centre (no scaling)
// The shell's scripts can remove Image (writing "" while the picture plugin is
// the desktop's plugin removes the key), but no script removes FillMode: the
// store writes FillMode only where the layout has to change, so a FillMode
// that was absent stays absent (the program's own layout is the default one).
// The shell does not load a picture again when the same URL is written again;
// Reload points each desktop at no picture and back, which loads the file anew.
//
// The five values:
//   Wallpaper         Image of the first desktop (lowest screen) as a local
//                     path (a wallpaper package's folder included), Plasma's
//                     default package where Image is absent; "" when its
//                     plugin is another or the URL names no local file. Written: every desktop gets
//                     the picture plugin and the picture (but see ShowOnlyOn below).
//   TileWallpaper  \  read from FillMode of the first desktop: 3, 4, 5 -> "1" "0";
//   WallpaperStyle /    6 -> "0" "0"; 0 -> "0" "2"; 1 -> "0" "6"; 2 -> "0" "10".
//                     written into every desktop: tile "1" -> 3; else style
//                     "0" -> 6, "2" -> 0, "6" -> 1, "10" -> 2, and "1" and "22"
//                     -> 2: each screen is a desktop of its own, and the
//                     program's picture, the size of all monitors together,
//                     fills one monitor pixel for pixel; any other style leaves
//                     FillMode as it is. Each write combines the written value
//                     with the other one as read.
//   WallpaperOriginX/Y  no such settings: kept in the file store.
// With more than one monitor the program draws on the chosen monitor's desktop
// alone (ShowOnlyOn): the desktop whose screen has that monitor's geometry, as
// the shell's own screenGeometry() gives it. Geometry, not the output's name:
// the shell's scripts know a screen by its number only, and that number follows
// the order in which the shell first saw each output, not Qt's. The picture,
// that monitor's size, is read from and written to that desktop alone; the
// other desktops keep theirs, and get them back from the backup when the
// calendar moves away from them.
// The extra value PlasmaDesktops holds what the five cannot say: every
// desktop's id, screen, plugin, Image and FillMode as they stand, absent ones
// as null, on one line. Written back (after the five), it sets each desktop
// that still exists as it was and removes an Image that was absent.
#include "DesktopOwnedStore.h"
#include "ProgramPaths.h"
#include "SessionBus.h"
#include "StoreErrors.h"
#include "WallpaperPackage.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <tuple>

namespace velnora {

namespace {

constexpr const char* Service = "org.kde.plasmashell";
constexpr const char* ObjectPath = "/PlasmaShell";
constexpr const char* Interface = "org.kde.PlasmaShell";
constexpr const char* DesktopsName = "PlasmaDesktops";
constexpr const char* PicturePlugin = "org.kde.image";
// FillMode when the key is absent: the picture plugin's default.
constexpr int DefaultFillMode = 2;

// FillModes 4 and 5 tile along one axis only: tiling is the nearest. The
// program's own layout and span fill: each screen is a desktop of its own, and
// the program's picture, the size of all monitors together, fills one monitor
// pixel for pixel.
constexpr std::pair<int, WallpaperLayout> FillModesShown[] = {
    {0, WallpaperLayout::Stretch}, {1, WallpaperLayout::Fit},  {2, WallpaperLayout::Fill},
    {3, WallpaperLayout::Tile},    {4, WallpaperLayout::Tile}, {5, WallpaperLayout::Tile},
    {6, WallpaperLayout::Centre},
};
constexpr std::pair<WallpaperLayout, int> FillModesMade[] = {
    {WallpaperLayout::Tile, 3},    {WallpaperLayout::Centre, 6}, {WallpaperLayout::Own, 2},
    {WallpaperLayout::Stretch, 0}, {WallpaperLayout::Fit, 1},    {WallpaperLayout::Fill, 2},
    {WallpaperLayout::Span, 2},
};
constexpr LayoutTable FillModeTable = {FillModesShown, FillModesMade};

// Every desktop as the shell holds it, with its screen's geometry, printed as JSON.
constexpr const char* ReadScript = R"(
var found = [];
var all = desktops();
for (var i = 0; i < all.length; i++) {
    var d = all[i];
    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    var keys = d.configKeys;
    var g = d.screen >= 0 ? screenGeometry(d.screen) : null;
    found.push({id: d.id, screen: d.screen, plugin: d.wallpaperPlugin,
                geometry: g ? [g.x, g.y, g.width, g.height] : null,
                Image: keys.indexOf('Image') >= 0 ? String(d.readConfig('Image')) : null,
                FillMode: keys.indexOf('FillMode') >= 0 ? String(d.readConfig('FillMode')) : null});
}
print(JSON.stringify(found));
)";

// Applies the list "changes" put before it: for each desktop by id, the
// picture plugin's values that the entry names (Image null removes it), then
// the entry's plugin. The values are written while the picture plugin is the
// desktop's plugin: only then does the shell take them up at once, and remove
// an Image written empty. An empty Image written where there is none would be
// kept as an empty value, so an absent one is left alone.
constexpr const char* ApplyScript = R"(
for (var i = 0; i < changes.length; i++) {
    var c = changes[i];
    var d = desktopById(c.id);
    if (!d)
        continue;
    d.wallpaperPlugin = 'org.kde.image';
    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    if ('Image' in c && c.Image !== null)
        d.writeConfig('Image', c.Image);
    else if ('Image' in c && d.configKeys.indexOf('Image') >= 0)
        d.writeConfig('Image', '');
    if ('FillMode' in c)
        d.writeConfig('FillMode', c.FillMode);
    if ('plugin' in c)
        d.wallpaperPlugin = c.plugin;
}
print('applied');
)";

// The picture of every desktop that shows one, pointed at nothing and back.
constexpr const char* ReloadScript = R"(
var all = desktops();
for (var i = 0; i < all.length; i++) {
    var d = all[i];
    if (d.wallpaperPlugin != 'org.kde.image')
        continue;
    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    if (d.configKeys.indexOf('Image') < 0)
        continue;
    var image = d.readConfig('Image');
    d.writeConfig('Image', '');
    d.writeConfig('Image', image);
}
print('reloaded');
)";

struct PlasmaDesktop {
    int id = 0;
    int screen = -1; // -1: a desktop of another activity, or of no screen now
    QString plugin;
    std::optional<QString> image;
    std::optional<QString> fillMode;
    QRect geometry; // of its screen; null where it has none

    std::optional<int> FillMode() const {
        if (!fillMode)
            return DefaultFillMode;
        bool isNumber = false;
        const int mode = fillMode->toInt(&isNumber);
        return isNumber ? std::optional<int>(mode) : std::nullopt;
    }
};

// A JavaScript string literal holding text: every character that is not
// printable ASCII, and the quote and the backslash, as a \u escape, so that no
// path or value can end the literal or the line.
QString ScriptString(const QString& text) {
    QString literal = "\"";
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x20 && unit < 0x7f && unit != u'"' && unit != u'\\')
            literal += c;
        else
            literal += QString("\\u%1").arg(static_cast<unsigned>(unit), 4, 16, QChar('0'));
    }
    return literal + "\"";
}

std::optional<QString> RunScript(const QString& script) {
    const QDBusMessage reply =
        CallSessionBus(Service, ObjectPath, Interface, "evaluateScript", {script});
    if (!Answered(reply) || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().first().toString();
}

std::optional<QString> OptionalText(const QJsonValue& value) {
    return value.isString() ? std::optional<QString>(value.toString()) : std::nullopt;
}

QJsonValue JsonOf(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

// nullopt when the text is not such a list.
std::optional<std::vector<PlasmaDesktop>> DesktopsOf(const QString& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    std::vector<PlasmaDesktop> desktops;
    for (const QJsonValue& entry : document.array()) {
        const QJsonObject object = entry.toObject();
        if (!object.value("id").isDouble() || !object.value("plugin").isString())
            return std::nullopt;
        const QJsonArray g = object.value("geometry").toArray();
        desktops.push_back({object.value("id").toInt(), object.value("screen").toInt(-1),
                            object.value("plugin").toString(), OptionalText(object.value("Image")),
                            OptionalText(object.value("FillMode")),
                            g.size() == 4
                                ? QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt())
                                : QRect()});
    }
    // The first desktop is that of the lowest screen; those of no screen come last.
    std::sort(desktops.begin(), desktops.end(), [](const auto& a, const auto& b) {
        return std::tuple(a.screen < 0, a.screen, a.id) < std::tuple(b.screen < 0, b.screen, b.id);
    });
    return desktops;
}

std::optional<std::vector<PlasmaDesktop>> ShellDesktops() {
    const std::optional<QString> printed = RunScript(ReadScript);
    return printed ? DesktopsOf(*printed) : std::nullopt;
}

class PlasmaStore : public DesktopOwnedStore {
  public:
    explicit PlasmaStore(StoreAccess access)
        : DesktopOwnedStore(access, "plasma", FillModeTable, {DesktopsName}) {}

    // The shell owns its name before it has made its desktops: until then it
    // holds no wallpaper to read.
    static bool Answers() {
        const std::optional<std::vector<PlasmaDesktop>> desktops = ShellDesktops();
        return desktops && !desktops->empty();
    }

    void Reload() override {
        // Nothing to tell when the shell is gone: it reads its settings when it starts.
        RunScript(ReloadScript);
    }

    // False where no screen of the shell has the monitor's geometry (Plasma
    // takes monitors that are not outputs of their own for one screen).
    bool ShowOnlyOn(const std::string& monitorName) override {
        const auto screens = QGuiApplication::screens();
        const auto monitor = std::find_if(screens.begin(), screens.end(), [&](const QScreen* s) {
            return s->name().toStdString() == monitorName;
        });
        if (monitor == screens.end())
            return false;
        const std::optional<std::vector<PlasmaDesktop>> desktops = ShellDesktops();
        if (!desktops)
            return false;
        for (const PlasmaDesktop& desktop : *desktops)
            if (desktop.geometry == (*monitor)->geometry()) {
                screen_ = desktop.screen;
                monitorChosen_ = true;
                return true;
            }
        return false;
    }

    // Where no monitor is chosen (a restore) the five values are those of the
    // monitor the calendar was on, and the desktops differ: one that holds
    // them will do, as PlasmaDesktops is confirmed for every desktop exactly.
    bool Holds(const std::string& name, const std::string& value) override {
        if (DesktopOwnedStore::Holds(name, value))
            return true;
        const std::vector<PlasmaDesktop> desktops = Shown(name);
        return std::any_of(desktops.begin(), desktops.end(), [&](const PlasmaDesktop& d) {
            // "" written is no Image, which reads as the default wallpaper.
            if (name == "Wallpaper")
                return value.empty() ? !d.image : PictureOf(d) == value;
            return IsLayoutName(name) && LayoutHolds(FillModeTable, name, value, {d.FillMode()});
        });
    }

  private:
    // The program's own picture where any desktop shows it: the calendar is
    // on one monitor only, which need not be the one chosen now.
    std::string ReadPicture(const std::string& name) override {
        const std::vector<PlasmaDesktop> desktops = Current(name);
        for (const PlasmaDesktop& desktop : desktops)
            if (IsOwnWallpaper(PictureOf(desktop)))
                return PictureOf(desktop);
        for (const PlasmaDesktop& desktop : desktops)
            if (Chosen(desktop))
                return PictureOf(desktop);
        return "";
    }

    // Without an Image the desktop shows the look-and-feel's wallpaper: that is
    // what the calendar goes on, and PlasmaDesktops keeps the key absent
    // through a restore.
    static std::string PictureOf(const PlasmaDesktop& desktop) {
        if (desktop.plugin != PicturePlugin)
            return "";
        return desktop.image ? PathOf(*desktop.image) : PlasmaDefaultWallpaper();
    }

    void WritePicture(const std::string& value, const std::string& name) override {
        const std::vector<PlasmaDesktop> desktops = Shown(name);
        if (desktops.empty())
            throw WriteRefused(name);
        const QString path = QString::fromStdString(value);
        // "" is no picture: the key goes, as on a fresh profile.
        if (!path.isEmpty() && !QDir::isAbsolutePath(path))
            throw WriteRefused(name);
        const QJsonValue image = path.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                : QJsonValue(QUrl::fromLocalFile(path).toString());
        QJsonArray changes;
        for (const PlasmaDesktop& desktop : desktops)
            changes.append(QJsonObject{{"id", desktop.id}, {"Image", image}});
        Apply(changes, name);
    }

    std::vector<std::optional<int>> LayoutSettings(const std::string& name) override {
        std::vector<std::optional<int>> modes;
        for (const PlasmaDesktop& desktop : Shown(name))
            modes.push_back(desktop.FillMode());
        return modes;
    }

    // A value that, combined with each desktop's own other value, changes no
    // desktop is not written: the front desktop's would otherwise reach the
    // others (of a restore, which chooses no monitor), and an absent FillMode,
    // which no script removes, would not come back absent.
    bool KeepsLayout(const std::string& name, const std::string& value) override {
        const std::vector<PlasmaDesktop> desktops = Shown(name);
        return !desktops.empty() &&
               std::all_of(desktops.begin(), desktops.end(), [&](const auto& d) {
                   return SettingAfter(FillModeTable, name, value, d.FillMode()) == d.FillMode();
               });
    }

    void WriteLayoutSetting(int mode, const std::string& name) override {
        QJsonArray changes;
        for (const PlasmaDesktop& desktop : Shown(name))
            if (desktop.FillMode() != mode)
                changes.append(QJsonObject{{"id", desktop.id},
                                           {"FillMode", QString::number(mode)},
                                           {"plugin", desktop.plugin}});
        Apply(changes, name);
    }

    std::string ReadExtra(const std::string& name) override { return Encode(Current(name)); }

    void WriteExtra(const std::string& name, const std::string& value) override {
        const std::vector<PlasmaDesktop> desktops = Current(name);
        const std::optional<std::vector<PlasmaDesktop>> wanted =
            DesktopsOf(QString::fromStdString(value));
        if (!wanted)
            throw WriteRefused(name);
        Apply(RestoreChanges(*wanted, desktops), name);
    }

    bool HoldsExtra(const std::string& name, const std::string& value) override {
        return HoldsDesktops(value, name);
    }

    // The desktops that show the program's picture though the calendar is
    // not on their monitor, as backed up: the calendar leaves no copy behind
    // when it moves to another monitor. A picture the user set there since
    // stays.
    void GiveBackOtherMonitors(const std::string& name, const std::string& value) override {
        if (!monitorChosen_ || name != DesktopsName)
            return;
        std::optional<std::vector<PlasmaDesktop>> left = DesktopsOf(QString::fromStdString(value));
        if (!left)
            throw WriteRefused(name);
        const std::vector<PlasmaDesktop> now = Current(name);
        std::erase_if(*left, [&](const PlasmaDesktop& desktop) {
            const PlasmaDesktop* there = Find(now, desktop.id);
            return !there || Chosen(*there) || !IsOwnWallpaper(PictureOf(*there));
        });
        Apply(RestoreChanges(*left, now), name);
    }

    // The backed-up picture of the desktop on the chosen monitor's screen now,
    // as ReadPicture reads it (the default wallpaper where Image was absent),
    // though the backup's Wallpaper may be another monitor's.
    std::optional<std::string> MonitorPictureIn(const std::string& name,
                                                const std::string& value) override {
        if (!monitorChosen_ || name != DesktopsName)
            return std::nullopt;
        const std::optional<std::vector<PlasmaDesktop>> backedUp =
            DesktopsOf(QString::fromStdString(value));
        if (!backedUp)
            return std::nullopt;
        const std::vector<PlasmaDesktop> now = Current(name);
        for (const PlasmaDesktop& desktop : *backedUp)
            if (const PlasmaDesktop* there = Find(now, desktop.id); there && Chosen(*there))
                return PictureOf(desktop);
        return std::nullopt;
    }

    static std::vector<PlasmaDesktop> Current(const std::string& name) {
        std::optional<std::vector<PlasmaDesktop>> desktops = ShellDesktops();
        if (!desktops)
            throw ReadRefused(name);
        return *desktops;
    }

    // The desktops the five values are about: those of the chosen monitor's
    // screen. Where none is chosen (a restore), the screen that showed the
    // program's own picture when the store first looked, for the life of the
    // store: the restore's picture, written first, ends that showing, and its
    // layout is that monitor's too; a layout written into every desktop would
    // leave a FillMode where one was absent. All where none shows it.
    std::vector<PlasmaDesktop> Shown(const std::string& name) {
        std::vector<PlasmaDesktop> desktops = Current(name);
        if (!screen_ && !lookedForCalendar_) {
            lookedForCalendar_ = true;
            for (const PlasmaDesktop& desktop : desktops)
                if (desktop.screen >= 0 && IsOwnWallpaper(PictureOf(desktop)))
                    screen_ = desktop.screen;
        }
        std::erase_if(desktops, [&](const auto& d) { return !Chosen(d); });
        return desktops;
    }
    bool Chosen(const PlasmaDesktop& desktop) const {
        return !screen_ || desktop.screen == *screen_;
    }

    // "" for a URL that names no local file: the program can only draw on a file.
    static std::string PathOf(const QString& image) {
        if (QDir::isAbsolutePath(image))
            return image.toStdString();
        const QUrl url(image);
        return url.isLocalFile() ? url.toLocalFile().toStdString() : "";
    }

    static std::string Encode(const std::vector<PlasmaDesktop>& desktops) {
        QJsonArray all;
        for (const PlasmaDesktop& desktop : desktops)
            all.append(QJsonObject{{"id", desktop.id},
                                   {"screen", desktop.screen},
                                   {"plugin", desktop.plugin},
                                   {"Image", JsonOf(desktop.image)},
                                   {"FillMode", JsonOf(desktop.fillMode)}});
        return QJsonDocument(all).toJson(QJsonDocument::Compact).toStdString();
    }

    // Each backed-up desktop that still exists, as it was. A FillMode that was
    // absent cannot be removed again: where one was written since, the default
    // it stood for is written.
    static QJsonArray RestoreChanges(const std::vector<PlasmaDesktop>& wanted,
                                     const std::vector<PlasmaDesktop>& now) {
        QJsonArray changes;
        for (const PlasmaDesktop& desktop : wanted) {
            const PlasmaDesktop* present = Find(now, desktop.id);
            if (!present)
                continue;
            QJsonObject change{
                {"id", desktop.id}, {"plugin", desktop.plugin}, {"Image", JsonOf(desktop.image)}};
            if (desktop.fillMode)
                change.insert("FillMode", *desktop.fillMode);
            else if (present->fillMode)
                change.insert("FillMode", QString::number(DefaultFillMode));
            changes.append(change);
        }
        return changes;
    }

    static bool HoldsDesktops(const std::string& value, const std::string& name) {
        const std::optional<std::vector<PlasmaDesktop>> wanted =
            DesktopsOf(QString::fromStdString(value));
        if (!wanted)
            return false;
        const std::vector<PlasmaDesktop> now = Current(name);
        for (const PlasmaDesktop& desktop : *wanted) {
            const PlasmaDesktop* present = Find(now, desktop.id);
            if (!present)
                continue;
            if (present->plugin != desktop.plugin || present->image != desktop.image ||
                present->FillMode() != desktop.FillMode())
                return false;
        }
        return true;
    }

    // nullptr where no desktop has the id (gone since the backup).
    static const PlasmaDesktop* Find(const std::vector<PlasmaDesktop>& desktops, int id) {
        const auto found = std::find_if(desktops.begin(), desktops.end(),
                                        [id](const auto& d) { return d.id == id; });
        return found != desktops.end() ? &*found : nullptr;
    }

    static void Apply(const QJsonArray& changes, const std::string& name) {
        if (changes.isEmpty())
            return;
        const QString list =
            QString::fromUtf8(QJsonDocument(changes).toJson(QJsonDocument::Compact));
        const QString script =
            "var changes = JSON.parse(" + ScriptString(list) + ");\n" + ApplyScript;
        if (!RunScript(script))
            throw WriteRefused(name);
    }

    // The chosen monitor's screen (ShowOnlyOn), or the calendar's (Shown);
    // none: every screen.
    std::optional<int> screen_;
    bool lookedForCalendar_ = false;
    // By ShowOnlyOn: screen_ is the monitor the calendar goes on, not merely
    // the one it was found on.
    bool monitorChosen_ = false;
};

} // namespace

const StoreBackend PlasmaBackend = {
    "KDE Plasma",          "KDE", nullptr, OpenWhenAnswering<PlasmaStore>, "plasmashell",
    "org.kde.plasmashell",
};

}  // namespace velnora
