// Bare X11: the values live in the file store, and the reload puts the picture
// on the root window the way feh and hsetroot do, so that pseudo-transparent
// terminals and panels that read _XROOTPMAP_ID see it too.
#include "DesktopStore.h"
#include "RootPicture.h"
#include "StoreBackends.h"

#include <QFile>
#include <QImage>

// Xlib's macros (None, Status, Bool...) clash with Qt's names: Qt comes first.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>

namespace {

// Errors from a pixmap that its owner freed meanwhile are expected; Xlib's
// default handler would end the program for them.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The pixel value of an RGB32 colour in a TrueColor visual's channel masks.
unsigned long PixelOf(QRgb colour, const Visual* visual) {
    const auto channel = [](int value, unsigned long mask) -> unsigned long {
        if (mask == 0)
            return 0;
        const int shift = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                               : static_cast<unsigned long>(value) >> (8 - bits);
        return (scaled << shift) & mask;
    };
    return channel(qRed(colour), visual->red_mask) | channel(qGreen(colour), visual->green_mask) |
           channel(qBlue(colour), visual->blue_mask);
}

// Draws picture into pixmap. Visuals without direct colour channels (8-bit
// palettes, rare today) get black, and so does a root too large for the
// memory the picture needs.
void PutPicture(Display* display, Pixmap pixmap, const XWindowAttributes& root,
                const QImage& picture) {
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    const int visualClass = root.visual->c_class;
    XImage* image = nullptr;
    const bool fits = picture.width() == root.width && picture.height() == root.height;
    if (fits && (visualClass == TrueColor || visualClass == DirectColor))
        image = XCreateImage(display, root.visual, static_cast<unsigned>(root.depth), ZPixmap, 0,
                             nullptr, static_cast<unsigned>(root.width),
                             static_cast<unsigned>(root.height), 32, 0);
    if (image != nullptr)
        image->data = static_cast<char*>(
            std::malloc(static_cast<std::size_t>(image->bytes_per_line) * root.height));
    if (image != nullptr && image->data != nullptr) {
        for (int y = 0; y < root.height; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < root.width; ++x)
                XPutPixel(image, x, y, PixelOf(row[x], root.visual));
        }
        XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(root.width),
                  static_cast<unsigned>(root.height));
    } else {
        XSetForeground(display, gc, BlackPixelOfScreen(root.screen));
        XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned>(root.width),
                       static_cast<unsigned>(root.height));
    }
    if (image != nullptr)
        XDestroyImage(image); // frees the pixel memory too
    XFreeGC(display, gc);
}

// The pixmap a root property names, or 0.
Pixmap RootPixmap(Display* display, Window root, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = 0;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data != nullptr)
        XFree(data);
    return pixmap;
}

// The convention of Esetroot, feh and hsetroot: a setter keeps its pixmap alive
// by leaving its connection's resources behind (RetainPermanent) and names it
// in both properties; the next setter frees it by killing that connection.
void SetRootPixmap(Display* display, Window root, Pixmap pixmap) {
    const Atom rootId = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom esetrootId = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    const Pixmap old = RootPixmap(display, root, esetrootId);
    if (old != 0 && old == RootPixmap(display, root, rootId))
        XKillClient(display, old);
    XChangeProperty(display, root, rootId, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(display, root, esetrootId, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
}

void PaintRoot(const std::string& displayName, const std::string& path, const std::string& tile,
               const std::string& style) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr)
        return;
    const auto previousHandler = XSetErrorHandler(IgnoreXError);
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, root, &attributes) != 0) {
        // A picture that does not load leaves the root black rather than stale.
        const QImage picture =
            path.empty() ? QImage() : QImage(QFile::decodeName(QByteArray::fromStdString(path)));
        const QImage composed =
            ComposeRootPicture(picture.convertToFormat(QImage::Format_RGB32), attributes.width,
                               attributes.height, tile, style);
        const Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(attributes.width),
                                            static_cast<unsigned>(attributes.height),
                                            static_cast<unsigned>(attributes.depth));
        PutPicture(display, pixmap, attributes, composed);
        SetRootPixmap(display, root, pixmap);
        XSetCloseDownMode(display, RetainPermanent);
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(display);
}

class X11Store : public DesktopStore {
  public:
    X11Store(StoreAccess access, const std::string& path, const std::string& display)
        : values_(OpenFileStore(access, path)), display_(display) {}

    bool IsOpen() const override { return values_->IsOpen(); }
    std::string Read(const std::string& name) override { return values_->Read(name); }
    void Write(const std::string& name, const std::string& value) override {
        values_->Write(name, value);
    }

    // Like SystemParametersInfoA, whose result the program ignores: a display
    // that has gone away leaves nothing to repaint.
    void Reload() override {
        PaintRoot(display_, values_->Read("Wallpaper"), values_->Read("TileWallpaper"),
                  values_->Read("WallpaperStyle"));
    }

  private:
    std::unique_ptr<DesktopStore> values_;
    std::string display_;
};

} // namespace

std::unique_ptr<DesktopStore> OpenX11Store(StoreAccess access, const std::string& path,
                                           const std::string& display) {
    return std::make_unique<X11Store>(access, path, display);
}

bool X11DisplayOpens(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

// A desktop that draws its own background (KDE, Xfce...) covers the root
// window, so painting it there is harmless; a window manager alone shows it.
// Under Wayland the root of XWayland is never seen: no painting there.
const StoreBackend BareX11Backend = {
    "bare X11",
    [](const DesktopSession& session) { return !session.wayland && !session.display.empty(); },
    [](StoreAccess access, const DesktopSession& session) -> std::unique_ptr<DesktopStore> {
        if (!X11DisplayOpens(session.display))
            return nullptr;
        return OpenX11Store(access, WallpaperStorePath(), session.display);
    },
};
