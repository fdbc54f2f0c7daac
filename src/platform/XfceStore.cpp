// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper store of Xfce: xfdesktop's settings in the xfconf channel
// "xfce4-desktop", reached over D-Bus (the service org.xfce.Xfconf, which the
// bus starts on demand).
//
// xfdesktop keeps one backdrop for every monitor and every workspace, under
// /backdrop/screen0/monitor<OUTPUT>/workspace<N>/ (OUTPUT is the output's name:
// "eDP-1", "HDMI-1"; "screen" under Xvfb), and writes each one's properties
// when it first shows it. The backdrops are those the channel holds. Of their
// properties the store reads and writes:
//   last-image   the picture's path (a string)
//   image-style  0 none, 1 centred, 2 tiled, 3 stretched, 4 scaled, 5 zoomed,
//                6 spanning screens (an int)
//   color-style  how the colours behind the picture are drawn; not written, but
//                xfdesktop adds it (and image-style) to a backdrop the program
//                gave a picture, so it is backed up to be removed again.
// xfdesktop watches the picture file, so a rewrite of the same file is shown.
//
// The five values:
//   Wallpaper         last-image of the first backdrop; written into every one.
//   TileWallpaper  \  read from image-style of the first backdrop:
//   WallpaperStyle /    2 tiled -> "1" "0"; 1 centred, 0 none -> "0" "0";
//                       3 -> "0" "2"; 4 -> "0" "6"; 5 -> "0" "10"; 6 -> "0" "22".
//                     written into every backdrop: tile "1" -> 2; else style
//                     "0" -> 1, "1" -> 6 (the program's own picture is the size
//                     of all monitors together, and spanning shows it pixel for
//                     pixel), "2" -> 3, "6" -> 4, "10" -> 5, "22" -> 6; any
//                     other style leaves image-style as it is. Each write
//                     combines the written value with the other one as read.
//   WallpaperOriginX/Y  no such settings: kept in the file store.
// With more than one monitor the program draws on the chosen monitor's own
// backdrops alone (ShowOnlyOn): its picture is read from and written to those
// of /backdrop/screen0/monitor<OUTPUT>/, and, being that monitor's size, is
// shown stretched (3), pixel for pixel; the other monitors keep theirs, and
// get them back from the backup when the calendar moves away from them.
// The extra value XfceBackdrops holds what the five cannot say: every backdrop's
// three properties exactly as they stand, absent ones included, on one line.
// Written back (after the five), it sets each one as it was, with its type, and
// removes the absent ones.
#include "DesktopOwnedStore.h"
#include "ProgramPaths.h"
#include "SessionBus.h"
#include "StoreErrors.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaType>
#include <QRegularExpression>
#include <QVariantMap>

#include <QDBusArgument>
#include <QDBusVariant>

#include <array>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace velnora {

namespace {

constexpr const char* Service = "org.xfce.Xfconf";
constexpr const char* ObjectPath = "/org/xfce/Xfconf";
constexpr const char* Interface = "org.xfce.Xfconf";
constexpr const char* Channel = "xfce4-desktop";

// The properties of a backdrop that the store backs up, in the order of the
// backup's lists.
constexpr const char* Kept[] = {"last-image", "image-style", "color-style"};
enum { LastImage, ImageStyle, ColorStyle };

constexpr const char* BackdropsName = "XfceBackdrops";

// One backdrop's kept properties as they stand; nullopt where absent.
using Backdrop = std::array<std::optional<QVariant>, std::size(Kept)>;
// Keyed by the backdrop's folder, "/backdrop/screen0/monitorscreen/workspace0".
using Backdrops = std::map<QString, Backdrop>;

// image-style 0, none, reads as centred, the nearest.
constexpr std::pair<int, WallpaperLayout> ImageStylesShown[] = {
    {0, WallpaperLayout::Centre},  {1, WallpaperLayout::Centre}, {2, WallpaperLayout::Tile},
    {3, WallpaperLayout::Stretch}, {4, WallpaperLayout::Fit},    {5, WallpaperLayout::Fill},
    {6, WallpaperLayout::Span},
};
constexpr std::pair<WallpaperLayout, int> ImageStylesMade[] = {
    {WallpaperLayout::Tile, 2},    {WallpaperLayout::Centre, 1}, {WallpaperLayout::Own, 6},
    {WallpaperLayout::Stretch, 3}, {WallpaperLayout::Fit, 4},    {WallpaperLayout::Fill, 5},
    {WallpaperLayout::Span, 6},
};
constexpr LayoutTable ImageStyleTable = {ImageStylesShown, ImageStylesMade};
constexpr std::pair<WallpaperLayout, int> MonitorImageStylesMade[] = {
    {WallpaperLayout::Tile, 2},    {WallpaperLayout::Centre, 1}, {WallpaperLayout::Own, 3},
    {WallpaperLayout::Stretch, 3}, {WallpaperLayout::Fit, 4},    {WallpaperLayout::Fill, 5},
    {WallpaperLayout::Span, 6},
};
constexpr LayoutTable MonitorImageStyleTable = {ImageStylesShown, MonitorImageStylesMade};

std::optional<int> NumberOf(const std::optional<QVariant>& value) {
    bool isNumber = false;
    const int number = value ? value->toInt(&isNumber) : 0;
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

// The D-Bus types xfconf keeps a plain value in, by the letter of their signature.
constexpr std::pair<char, QMetaType::Type> Types[] = {
    {'s', QMetaType::QString},  {'i', QMetaType::Int},       {'u', QMetaType::UInt},
    {'x', QMetaType::LongLong}, {'t', QMetaType::ULongLong}, {'n', QMetaType::Short},
    {'q', QMetaType::UShort},   {'y', QMetaType::UChar},     {'b', QMetaType::Bool},
    {'d', QMetaType::Double},
};

// A value as its signature letter followed by its text ("i5", "s/home/a.jpg");
// nullopt for a type that is not kept (an array, a structure).
std::optional<QString> TypedText(const QVariant& value) {
    for (const auto& [letter, type] : Types) {
        if (value.metaType().id() != type)
            continue;
        if (type == QMetaType::Double)
            return QString(letter) + QString::number(value.toDouble(), 'g', 17);
        if (type == QMetaType::Bool)
            return QString(letter) + (value.toBool() ? "1" : "0");
        return QString(letter) + value.toString();
    }
    return std::nullopt;
}

std::optional<QVariant> ValueOfTypedText(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    for (const auto& [letter, type] : Types) {
        if (text[0] != QChar(letter))
            continue;
        QVariant value(text.mid(1));
        if (type == QMetaType::Bool)
            value = QVariant(text.mid(1) == "1");
        if (type != QMetaType::Bool && !value.convert(QMetaType(type)))
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

QDBusMessage CallXfconf(const char* method, const QVariantList& arguments) {
    return CallSessionBus(Service, ObjectPath, Interface, method, arguments);
}

// Every property under /backdrop, or nullopt when xfconf does not answer.
std::optional<QVariantMap> BackdropProperties() {
    const QDBusMessage reply =
        CallXfconf("GetAllProperties", {QString(Channel), QString("/backdrop")});
    if (!Answered(reply) || reply.arguments().isEmpty())
        return std::nullopt;
    return qdbus_cast<QVariantMap>(reply.arguments().first());
}

class XfceStore : public DesktopOwnedStore {
  public:
    explicit XfceStore(StoreAccess access)
        : DesktopOwnedStore(access, "xfce", ImageStyleTable, {BackdropsName}) {}

    static bool Answers() { return BackdropProperties().has_value(); }

    // xfconf tells xfdesktop of every change at once; nothing is left to ask.
    void Reload() override {}

    bool ShowOnlyOn(const std::string& monitorName) override {
        monitor_ = "/monitor" + QString::fromStdString(monitorName) + "/";
        UseLayouts(MonitorImageStyleTable);
        return true;
    }

    // With no monitor chosen (a restore), held when the backdrops of one
    // monitor hold it: the backup's five are those of the monitor the calendar
    // was on, and each other monitor gets its own from XfceBackdrops.
    bool Holds(const std::string& name, const std::string& value) override {
        if (DesktopOwnedStore::Holds(name, value))
            return true;
        if (!monitor_.isEmpty() || name == BackdropsName)
            return false;
        bool held = false;
        for (const QString& monitor : Monitors(Current(name))) {
            monitor_ = monitor;
            held = held || DesktopOwnedStore::Holds(name, value);
        }
        monitor_.clear();
        return held;
    }

  private:
    // Of all monitors, the program's own picture where one shows it: the
    // calendar is on one monitor only, and may be on another than the one
    // chosen now (the corner changed), which makes it no user's wallpaper.
    // Else the picture of the first backdrop the picture goes on.
    std::string ReadPicture(const std::string& name) override {
        for (const auto& [folder, backdrop] : Current(name))
            if (IsOwnWallpaper(PictureOf(backdrop)))
                return PictureOf(backdrop);
        const Backdrops shown = Shown(name);
        return shown.empty() ? "" : PictureOf(shown.begin()->second);
    }

    static std::string PictureOf(const Backdrop& backdrop) {
        return backdrop[LastImage] ? backdrop[LastImage]->toString().toStdString() : "";
    }

    void WritePicture(const std::string& path, const std::string& name) override {
        const Backdrops backdrops = Shown(name);
        // No backdrop yet: xfdesktop has not run, and nothing would show the picture.
        if (backdrops.empty())
            throw WriteRefused(name);
        for (const auto& [folder, backdrop] : backdrops)
            Set(folder, LastImage, QString::fromStdString(path), name);
    }

    std::vector<std::optional<int>> LayoutSettings(const std::string& name) override {
        std::vector<std::optional<int>> styles;
        for (const auto& [folder, backdrop] : Shown(name))
            styles.push_back(NumberOf(backdrop[ImageStyle]));
        return styles;
    }

    void WriteLayoutSetting(int setting, const std::string& name) override {
        for (const auto& [folder, backdrop] : Shown(name))
            Set(folder, ImageStyle, setting, name);
    }

    std::string ReadExtra(const std::string& name) override { return Encode(Current(name), name); }
    void WriteExtra(const std::string& name, const std::string& value) override {
        WriteBackdrops(value, name);
    }
    bool HoldsExtra(const std::string& name, const std::string& value) override {
        return HoldsBackdrops(value, name);
    }

    // The backdrops that show the program's picture though the calendar is
    // not on their monitor, as backed up: the calendar leaves no copy behind
    // when it moves to another monitor. A picture the user set there since
    // stays.
    void GiveBackOtherMonitors(const std::string& name, const std::string& value) override {
        if (monitor_.isEmpty() || name != BackdropsName)
            return;
        std::optional<Backdrops> left = Decode(value);
        if (!left)
            throw WriteRefused(name);
        const Backdrops now = Current(name);
        const Backdrops shown = Shown(name);
        std::erase_if(*left, [&now, &shown](const auto& entry) {
            return shown.count(entry.first) > 0 ||
                   !IsOwnWallpaper(PictureOf(Find(now, entry.first)));
        });
        SetBackdrops(*left, name);
    }

    // The first backed-up backdrop of the chosen monitor, as ReadPicture reads
    // it, though the backup's Wallpaper may be another monitor's.
    std::optional<std::string> MonitorPictureIn(const std::string& name,
                                                const std::string& value) override {
        if (monitor_.isEmpty() || name != BackdropsName)
            return std::nullopt;
        const std::optional<Backdrops> backedUp = Decode(value);
        for (const auto& [folder, backdrop] : backedUp.value_or(Backdrops{}))
            if (folder.contains(monitor_))
                return PictureOf(backdrop);
        return std::nullopt;
    }

    // Throws when xfconf does not answer: an empty reading would back up a
    // wallpaper that is not the user's.
    static Backdrops Current(const std::string& name) {
        const std::optional<QVariantMap> properties = BackdropProperties();
        if (!properties)
            throw ReadRefused(name);
        static const QRegularExpression KeptProperty(
            "^(/backdrop/screen[0-9]+/monitor[^/]+/workspace[0-9]+)/([a-z-]+)$");
        Backdrops backdrops;
        for (auto property = properties->begin(); property != properties->end(); ++property) {
            const QRegularExpressionMatch match = KeptProperty.match(property.key());
            if (!match.hasMatch())
                continue;
            Backdrop& backdrop = backdrops[match.captured(1)];
            for (std::size_t i = 0; i < std::size(Kept); ++i)
                if (match.captured(2) == Kept[i])
                    backdrop[i] = property.value();
        }
        return backdrops;
    }

    // "/monitor<OUTPUT>/" of every backdrop.
    static std::set<QString> Monitors(const Backdrops& backdrops) {
        static const QRegularExpression Monitor("/monitor[^/]+/");
        std::set<QString> monitors;
        for (const auto& [folder, backdrop] : backdrops)
            monitors.insert(Monitor.match(folder).captured());
        return monitors;
    }

    // The backdrops the picture goes on: the chosen monitor's; all where no
    // monitor is chosen, or where xfdesktop knows none by that name.
    Backdrops Shown(const std::string& name) const {
        Backdrops all = Current(name);
        if (monitor_.isEmpty())
            return all;
        Backdrops chosen;
        for (auto& [folder, backdrop] : all)
            if (folder.contains(monitor_))
                chosen.emplace(folder, backdrop);
        return chosen.empty() ? all : chosen;
    }

    // {"<folder>": [<last-image>, <image-style>, <color-style>], ...}, each a
    // typed text or null for an absent property; JSON escapes every line break.
    static std::string Encode(const Backdrops& backdrops, const std::string& name) {
        QJsonObject all;
        for (const auto& [folder, backdrop] : backdrops) {
            QJsonArray values;
            for (const std::optional<QVariant>& value : backdrop) {
                if (!value) {
                    values.append(QJsonValue::Null);
                    continue;
                }
                const std::optional<QString> text = TypedText(*value);
                if (!text)
                    throw NotText(name);
                values.append(*text);
            }
            all.insert(folder, values);
        }
        return QJsonDocument(all).toJson(QJsonDocument::Compact).toStdString();
    }

    static std::optional<Backdrops> Decode(const std::string& text) {
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            return std::nullopt;
        Backdrops backdrops;
        const QJsonObject all = document.object();
        for (auto entry = all.begin(); entry != all.end(); ++entry) {
            const QJsonArray values = entry.value().toArray();
            if (!entry.key().startsWith("/backdrop/") || values.size() != std::size(Kept))
                return std::nullopt;
            Backdrop& backdrop = backdrops[entry.key()];
            for (std::size_t i = 0; i < std::size(Kept); ++i) {
                const QJsonValue value = values[static_cast<qsizetype>(i)];
                if (value.isNull())
                    continue;
                backdrop[i] = ValueOfTypedText(value.toString());
                if (!backdrop[i])
                    return std::nullopt;
            }
        }
        return backdrops;
    }

    void WriteBackdrops(const std::string& text, const std::string& name) {
        const std::optional<Backdrops> wanted = Decode(text);
        if (!wanted)
            throw WriteRefused(name);
        SetBackdrops(*wanted, name);
    }

    // Each backdrop's properties set as wanted where they differ, so that a
    // redraw leaves alone the monitors it gives back nothing to.
    static void SetBackdrops(const Backdrops& wanted, const std::string& name) {
        const Backdrops now = Current(name);
        for (const auto& [folder, backdrop] : wanted) {
            const Backdrop& there = Find(now, folder);
            for (std::size_t i = 0; i < std::size(Kept); ++i) {
                if (Same(backdrop[i], there[i]))
                    continue;
                if (backdrop[i])
                    Set(folder, i, *backdrop[i], name);
                else
                    Reset(folder, i, name);
            }
        }
    }

    static bool HoldsBackdrops(const std::string& text, const std::string& name) {
        const std::optional<Backdrops> wanted = Decode(text);
        if (!wanted)
            return false;
        const Backdrops now = Current(name);
        for (const auto& [folder, backdrop] : *wanted) {
            const Backdrop& there = Find(now, folder);
            for (std::size_t i = 0; i < std::size(Kept); ++i)
                if (!Same(backdrop[i], there[i]))
                    return false;
        }
        return true;
    }

    static const Backdrop& Find(const Backdrops& backdrops, const QString& folder) {
        static const Backdrop absent{};
        const auto found = backdrops.find(folder);
        return found != backdrops.end() ? found->second : absent;
    }

    // Equal in type and value, or both absent.
    static bool Same(const std::optional<QVariant>& a, const std::optional<QVariant>& b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->metaType() == b->metaType() && *a == *b));
    }

    static void Set(const QString& folder, std::size_t property, const QVariant& value,
                    const std::string& name) {
        const QDBusMessage reply =
            CallXfconf("SetProperty", {QString(Channel), folder + "/" + Kept[property],
                                       QVariant::fromValue(QDBusVariant(value))});
        if (!Answered(reply))
            throw WriteRefused(name);
    }

    static void Reset(const QString& folder, std::size_t property, const std::string& name) {
        const QDBusMessage reply =
            CallXfconf("ResetProperty", {QString(Channel), folder + "/" + Kept[property], false});
        if (!Answered(reply))
            throw WriteRefused(name);
    }

    // "/monitor<OUTPUT>/" once a monitor is chosen.
    QString monitor_;
};

} // namespace

const StoreBackend XfceBackend = {
    "Xfce", "XFCE", nullptr, OpenWhenAnswering<XfceStore>, "xfconfd", "org.xfce.Xfconf",
};

}  // namespace velnora
