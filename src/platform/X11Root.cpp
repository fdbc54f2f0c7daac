// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11Root.h"

#include "PictureLimit.h"

// Xlib's macros (None, Status, Bool...) clash with Qt's names: Qt comes first.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <memory>
#include <vector>

namespace velnora {

namespace {

// Errors from a pixmap that its owner freed meanwhile are expected; Xlib's
// default handler would end the program for them. Each request that can meet
// one runs under this handler, and the errors are waited for before it goes.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

class QuietErrors {
  public:
    explicit QuietErrors(Display* display)
        : display_(display), previous_(XSetErrorHandler(IgnoreXError)) {}
    ~QuietErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

  private:
    Display* display_;
    XErrorHandler previous_;
};

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); } // frees the pixels too
};
using ImagePtr = std::unique_ptr<XImage, ImageDeleter>;

// The pixel value of an RGB32 colour in a TrueColor visual's channel masks:
// the 8-bit value cut to the channel's width, or widened with zero bits.
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

// The 8-bit value of one channel of pixel, the exact inverse of PixelOf: a
// picture read this way and shown again gives the same pixel values.
uint8_t ChannelOf(unsigned long pixel, unsigned long mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long value = (pixel & mask) >> shift;
    return static_cast<uint8_t>(bits >= 8 ? value >> (bits - 8) : value << (8 - bits));
}

// image (a ZPixmap of visual) into picture's blue, green, red, its first row
// into row top.
void CopyPixels(const XImage& image, const Visual* visual, Bitmap& picture, int top = 0) {
    const bool common = image.bits_per_pixel == 32 && image.byte_order == LSBFirst &&
                        visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
                        visual->blue_mask == 0xFF;
    for (int y = 0; y < image.height; ++y) {
        uint8_t* out = picture.Row(top + y);
        if (common) {
            // Bytes blue, green, red, unused: the layout of nearly every 24-bit screen.
            const auto* in = reinterpret_cast<const uint8_t*>(image.data) +
                             static_cast<std::size_t>(image.bytes_per_line) * y;
            for (int x = 0; x < picture.Width(); ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
            continue;
        }
        for (int x = 0; x < picture.Width(); ++x, out += 3) {
            const unsigned long pixel = XGetPixel(const_cast<XImage*>(&image), x, y);
            out[0] = ChannelOf(pixel, visual->blue_mask);
            out[1] = ChannelOf(pixel, visual->green_mask);
            out[2] = ChannelOf(pixel, visual->red_mask);
        }
    }
}

// Draws picture into pixmap and returns the image it put; black, and no
// image, where it cannot.
ImagePtr PutPicture(Display* display, Pixmap pixmap, const XWindowAttributes& root,
                    const QImage& picture) {
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    const int visualClass = root.visual->c_class;
    ImagePtr image;
    const bool fits = picture.width() == root.width && picture.height() == root.height;
    if (fits && (visualClass == TrueColor || visualClass == DirectColor))
        image.reset(XCreateImage(display, root.visual, static_cast<unsigned>(root.depth), ZPixmap,
                                 0, nullptr, static_cast<unsigned>(root.width),
                                 static_cast<unsigned>(root.height), 32, 0));
    if (image)
        image->data = static_cast<char*>(
            std::malloc(static_cast<std::size_t>(image->bytes_per_line) * root.height));
    if (image && image->data != nullptr) {
        for (int y = 0; y < root.height; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < root.width; ++x)
                XPutPixel(image.get(), x, y, PixelOf(row[x], root.visual));
        }
        XPutImage(display, pixmap, gc, image.get(), 0, 0, 0, 0, static_cast<unsigned>(root.width),
                  static_cast<unsigned>(root.height));
    } else {
        image.reset();
        XSetForeground(display, gc, BlackPixelOfScreen(root.screen));
        XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned>(root.width),
                       static_cast<unsigned>(root.height));
    }
    XFreeGC(display, gc);
    return image;
}

// The pixmap a root property names, or 0 (also when the property was never made).
Pixmap RootPixmap(Display* display, Window root, const char* name) {
    const Atom property = XInternAtom(display, name, True);
    if (property == 0)
        return 0;
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
    const Pixmap old = RootPixmap(display, root, "ESETROOT_PMAP_ID");
    if (old != 0 && old == RootPixmap(display, root, "_XROOTPMAP_ID"))
        XKillClient(display, old);
    XChangeProperty(display, root, rootId, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(display, root, esetrootId, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
}

// True when window has the window type desktop among its types.
bool HasWindowType(Display* display, Window window, Atom property, Atom desktop) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    // A window names a handful of types at most, most preferred first.
    constexpr long MostTypes = 32;
    if (XGetWindowProperty(display, window, property, 0, MostTypes, False, XA_ATOM, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_ATOM && format == 32) {
        const Atom* types = reinterpret_cast<const Atom*>(data);
        found = std::find(types, types + count, desktop) != types + count;
    }
    if (data != nullptr)
        XFree(data);
    return found;
}

// A shown window of type desktop among the children of parent, or, levels
// deep, among theirs: a window manager puts a frame around a client window.
bool HoldsDesktopWindow(Display* display, Window parent, Atom property, Atom desktop, int levels) {
    Window ignored = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &ignored, &ignored, &children, &count) == 0)
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes window;
        if (XGetWindowAttributes(display, children[i], &window) == 0 ||
            window.map_state != IsViewable)
            continue;
        found = HasWindowType(display, children[i], property, desktop) ||
                (levels > 1 && HoldsDesktopWindow(display, children[i], property, desktop, levels - 1));
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

} // namespace

X11Root::X11Root(const std::string& displayName)
    : display_(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str())) {
    if (display_ == nullptr)
        return;
    root_ = DefaultRootWindow(display_);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, root_, &attributes) == 0) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return;
    }
    width_ = attributes.width;
    height_ = attributes.height;
}

X11Root::~X11Root() {
    if (display_ == nullptr)
        return;
    if (retain_)
        XSetCloseDownMode(display_, RetainPermanent);
    XSync(display_, False);
    XCloseDisplay(display_);
}

Bitmap X11Root::Picture() {
    Bitmap picture;
    if (display_ == nullptr)
        return picture;
    const QuietErrors quiet(display_);
    Pixmap pixmap = RootPixmap(display_, root_, "_XROOTPMAP_ID");
    if (pixmap == 0)
        pixmap = RootPixmap(display_, root_, "ESETROOT_PMAP_ID");
    XWindowAttributes root;
    Window ignored = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (pixmap == 0 || XGetWindowAttributes(display_, root_, &root) == 0 ||
        XGetGeometry(display_, pixmap, &ignored, &x, &y, &width, &height, &border, &depth) == 0 ||
        static_cast<int>(depth) != root.depth ||
        int64_t{width} * int64_t{height} > MaxPicturePixels)
        return picture;
    picture.Resize(static_cast<int>(width), static_cast<int>(height));
    // In bands of 2^20 pixels: 4 MB held beside the picture at a time instead
    // of a second whole copy (33 MB for 3840 x 2160); no slower under Xvfb.
    constexpr unsigned BandPixels = 1U << 20;
    const unsigned band = std::max(1U, BandPixels / width);
    for (unsigned top = 0; top < height; top += band) {
        const unsigned rows = std::min(band, height - top);
        const ImagePtr image(
            XGetImage(display_, pixmap, 0, static_cast<int>(top), width, rows, AllPlanes, ZPixmap));
        if (!image)
            return Bitmap(); // freed meanwhile by its owner
        CopyPixels(*image, root.visual, picture, static_cast<int>(top));
    }
    return picture;
}

std::optional<uint32_t> X11Root::BackgroundColour() {
    if (display_ == nullptr)
        return std::nullopt;
    const QuietErrors quiet(display_);
    XWindowAttributes root;
    Window ignored = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XGetWindowAttributes(display_, root_, &root) == 0 ||
        XQueryTree(display_, root_, &ignored, &ignored, &children, &count) == 0)
        return std::nullopt;
    struct Area {
        int left, top, right, bottom; // right and bottom outside
    };
    std::vector<Area> covered;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes window;
        if (XGetWindowAttributes(display_, children[i], &window) != 0 &&
            window.map_state == IsViewable && window.c_class == InputOutput)
            covered.push_back({window.x, window.y,
                               window.x + window.width + 2 * window.border_width,
                               window.y + window.height + 2 * window.border_width});
    }
    if (children != nullptr)
        XFree(children);
    // The corners, edges and middle first: where windows leave the desktop bare.
    constexpr int Steps = 4;
    for (int i = 0; i <= Steps; ++i) {
        for (int j = 0; j <= Steps; ++j) {
            const int x = (root.width - 1) * i / Steps;
            const int y = (root.height - 1) * j / Steps;
            if (std::any_of(covered.begin(), covered.end(), [&](const Area& area) {
                    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                }))
                continue;
            const ImagePtr image(XGetImage(display_, root_, x, y, 1, 1, AllPlanes, ZPixmap));
            if (!image)
                return std::nullopt;
            const unsigned long pixel = XGetPixel(image.get(), 0, 0);
            return uint32_t{ChannelOf(pixel, root.visual->red_mask)} << 16 |
                   uint32_t{ChannelOf(pixel, root.visual->green_mask)} << 8 |
                   ChannelOf(pixel, root.visual->blue_mask);
        }
    }
    return std::nullopt;
}

bool X11Root::ShowsDesktopWindow() {
    if (display_ == nullptr)
        return false;
    const QuietErrors quiet(display_); // a window may go while it is looked at
    // Atoms that no program has made name no window's type.
    const Atom property = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", True);
    const Atom desktop = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DESKTOP", True);
    return property != 0 && desktop != 0 && HoldsDesktopWindow(display_, root_, property, desktop, 2);
}

Bitmap X11Root::Show(const QImage& picture) {
    if (display_ == nullptr)
        return {};
    XWindowAttributes root;
    ImagePtr image;
    {
        const QuietErrors quiet(display_);
        if (XGetWindowAttributes(display_, root_, &root) == 0)
            return {};
        const Pixmap pixmap =
            XCreatePixmap(display_, root_, static_cast<unsigned>(root.width),
                          static_cast<unsigned>(root.height), static_cast<unsigned>(root.depth));
        image = PutPicture(display_, pixmap, root, picture);
        SetRootPixmap(display_, root_, pixmap);
        retain_ = true;
    }
    if (!image)
        return Picture();
    // The pixmap holds the pixel values put, so they read as a read-back of
    // the whole root would, without one.
    Bitmap shown(root.width, root.height);
    CopyPixels(*image, root.visual, shown);
    return shown;
}

std::optional<PixelRect> X11Root::WorkArea() {
    if (display_ == nullptr)
        return std::nullopt;
    const Atom property = XInternAtom(display_, "_NET_WORKAREA", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<PixelRect> area;
    if (XGetWindowProperty(display_, root_, property, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 4) {
        // Format 32 arrives as longs, whatever the size of a long.
        const long* v = reinterpret_cast<const long*>(data);
        area = PixelRect{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                         static_cast<int>(v[3])};
    }
    if (data != nullptr)
        XFree(data);
    return area;
}

}  // namespace velnora
