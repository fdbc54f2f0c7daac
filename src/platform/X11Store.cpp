// SPDX-License-Identifier: GPL-3.0-or-later
// Bare X11: the values live in the file store, and the reload puts the picture
// on the root window the way feh and hsetroot do, so that pseudo-transparent
// terminals and panels that read _XROOTPMAP_ID see it too.
//
// The root window is the desktop here, and other tools set it too: the values
// read as what the root shows. While it shows the picture the store put there
// last, the file's values stand; a picture someone else set is captured into
// a file (RootCaptures.h) and read as the Wallpaper, laid out so that a reload
// paints it back pixel for pixel. A root without a picture reads as a picture
// of its plain colour. So the first backup holds what the user saw, and a
// picture set while the calendar is on displaces it.
#include "DesktopCertainty.h"
#include "DesktopStore.h"
#include "ProfileFile.h"
#include "ProgramPaths.h"
#include "RootCaptures.h"
#include "RootPicture.h"
#include "StoreBackends.h"
#include "StoreErrors.h"
#include "WallpaperLayout.h"
#include "X11Root.h"

#include <QFile>
#include <QImage>

#include <cstdint>
#include <optional>

namespace velnora {

namespace {

// The store's own record beside the values, as keys of the picture's pixels
// (PictureKey): "Shows", the picture the store put on the root last, and
// "Covers", the picture someone else had set when the program's own went over
// it. Keys rather than pixmap ids: the server hands a freed id out again, and
// a new session starts the ids afresh.
constexpr const char* RecordSection = "Root window";

class X11Store : public DesktopStore {
  public:
    X11Store(StoreAccess access, const std::string& path, const std::string& display)
        : values_(OpenFileStore(access, path)), record_(path), display_(display) {}

    bool IsOpen() const override { return values_->IsOpen(); }
    std::string StoreName() const override { return "x11"; }

    std::string Read(const std::string& name) override {
        const Shown& shown = Inspect();
        if (shown.foreign && name == "Wallpaper")
            return shown.capture;
        // Tiled from the corner is how X itself lays out a root pixmap of any
        // size; one of the root's size shows the same at the corner, unscaled.
        if (shown.foreign && name == "TileWallpaper")
            return LayoutValue(shown.rootSized ? WallpaperLayout::Own : WallpaperLayout::Tile,
                               name);
        if (shown.foreign && name == "WallpaperStyle")
            return LayoutValue(WallpaperLayout::Own, name);
        std::string value = values_->Read(name);
        // No picture is the root's plain background: a picture of it, so that
        // drawing on "the current wallpaper" has a picture to draw on.
        if (name == "Wallpaper" && value.empty())
            return PlainRoot();
        return value;
    }

    void Write(const std::string& name, const std::string& value) override {
        values_->Write(name, value);
    }

    // Like SystemParametersInfoA, whose result the program ignores: a display
    // that has gone away leaves nothing to repaint.
    void Reload() override {
        shown_.reset();
        X11Root root(display_);
        if (!root.IsOpen())
            return;
        const std::string path = values_->Read("Wallpaper");
        // Only the program's own picture covers one (a full read of the root).
        const std::optional<std::string> covered =
            IsOwnWallpaper(path) ? OthersPicture(root) : std::nullopt;
        // A picture that does not load leaves the root black rather than stale.
        const QImage picture =
            path.empty() ? QImage() : QImage(QFile::decodeName(QByteArray::fromStdString(path)));
        const Bitmap shown = root.Show(ComposeRootPicture(
            picture.convertToFormat(QImage::Format_RGB32), root.Width(), root.Height(),
            LayoutOfValues(values_->Read("TileWallpaper"), values_->Read("WallpaperStyle"))));
        // Without this record the program's own picture would read as someone
        // else's at the next start, and go into the backup.
        try {
            record_.WriteString(RecordSection, "Shows", PictureKey(shown));
            if (covered)
                record_.WriteString(RecordSection, "Covers", *covered);
        } catch (const std::runtime_error&) {
            throw WriteRefused("Wallpaper");
        }
        shown_ = Shown{}; // the store's own picture: the read-back needs no new look
    }

    // The file holds the value and the root shows the picture the store put there.
    bool Holds(const std::string& name, const std::string& value) override {
        return !Inspect().foreign && values_->Read(name) == value;
    }

  private:
    struct Shown {
        bool foreign = false;   // someone else's picture: the values below stand for it
        std::string capture;    // its file
        bool rootSized = false; // it is the root's size
    };

    const Shown& Inspect() {
        if (!shown_)
            shown_ = LookAtTheRoot(); // kept only once whole: a failed capture is tried again
        return *shown_;
    }

    Shown LookAtTheRoot() {
        Shown shown;
        X11Root root(display_);
        const Bitmap picture = root.Picture();
        if (picture.Empty())
            return shown; // nothing shown (a new session, a plain colour): the values stand
        const std::string key = PictureKey(picture);
        const bool calendarOn = IsOwnWallpaper(values_->Read("Wallpaper"));
        // A store without a record was last reloaded by a version that kept
        // none: with the calendar on, the root shows the calendar; capturing
        // it would put the program's own picture into the backup.
        const std::optional<std::string> shows = record_.Read(RecordSection, "Shows");
        // The picture the calendar was drawn on, set again by the session's own
        // setter at logon (feh's ~/.fehbg), is no change of wallpaper.
        const bool ours = (shows ? key == *shows : calendarOn) ||
                          (calendarOn && key == record_.ReadString(RecordSection, "Covers", ""));
        if (ours)
            return shown;
        shown.foreign = true;
        shown.capture = KeepRootPicture(picture, key, values_->Read("Wallpaper"));
        shown.rootSized = picture.Width() == root.Width() && picture.Height() == root.Height();
        return shown;
    }

    // The key of the root's picture when someone else set it, else nullopt.
    std::optional<std::string> OthersPicture(X11Root& root) {
        const Bitmap picture = root.Picture();
        if (picture.Empty())
            return std::nullopt;
        std::string key = PictureKey(picture);
        if (key == record_.ReadString(RecordSection, "Shows", ""))
            return std::nullopt;
        return key;
    }

    // A picture of the root's size in its background colour; black where
    // windows cover the whole root (black is what X servers show by default).
    std::string PlainRoot() {
        X11Root root(display_);
        if (root.Width() <= 0 || root.Height() <= 0)
            return {}; // the display is gone: nothing to show
        const Colour colour = Colour::FromRgb(root.BackgroundColour().value_or(0));
        Bitmap plain(root.Width(), root.Height());
        for (int y = 0; y < plain.Height(); ++y) {
            uint8_t* pixel = plain.Row(y);
            for (int x = 0; x < plain.Width(); ++x, pixel += 3) {
                pixel[0] = colour.Blue();
                pixel[1] = colour.Green();
                pixel[2] = colour.Red();
            }
        }
        return KeepRootPicture(plain, PictureKey(plain), {});
    }

    std::unique_ptr<DesktopStore> values_;
    ProfileFile record_;
    std::string display_;
    std::optional<Shown> shown_; // what the root showed when first asked, until the next reload
};

} // namespace

std::unique_ptr<DesktopStore> OpenX11Store(StoreAccess access, const std::string& path,
                                           const std::string& display) {
    return std::make_unique<X11Store>(access, path, display);
}

// Only a window manager alone shows the root window. Under a desktop that
// draws its own background (KDE, Xfce...) the root holds whatever was last put
// there, and reading it would back up a picture the user never saw; under
// Wayland the root of XWayland is never seen.
const StoreBackend BareX11Backend = {
    "bare X11",
    nullptr,
    [](const DesktopSession& session) { return !session.wayland && !session.display.empty(); },
    [](StoreAccess access, const DesktopSession& session) -> std::unique_ptr<DesktopStore> {
        if (!WhyNotBareX11(session).empty())
            return nullptr;
        return OpenX11Store(access, WallpaperStorePath(), session.display);
    },
    nullptr,
    nullptr,
};

}  // namespace velnora
