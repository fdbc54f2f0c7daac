// SPDX-License-Identifier: GPL-3.0-or-later
// The bare X11 store under an Xvfb of our own: the root window's pixels and
// the pixmap properties after a reload, and what the store reads when another
// tool has set the root's picture.
#include "DesktopStore.h"
#include "ProfileFile.h"
#include "TestSupport.h"
#include "XvfbServer.h"

#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velnora;

namespace {

constexpr int RootWidth = 64;
constexpr int RootHeight = 48;

constexpr unsigned long Black = 0x000000;
constexpr unsigned long Red = 0xFF0000;
constexpr unsigned long Green = 0x00FF00;
constexpr unsigned long Blue = 0x0000FF;

// 16 x 8: a red band 4 wide on the left, the rest green above blue, so that
// every layout puts the band's edge somewhere else.
void WriteTestPicture(const std::string& path) {
    QImage picture(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, x < 4 ? 0xFFFF0000 : (y < 4 ? 0xFF00FF00 : 0xFF0000FF));
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
}

int lastError = 0;
int RecordXError(Display*, XErrorEvent* event) {
    lastError = event->error_code;
    return 0;
}

class X11StoreTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = new Xvfb(RootWidth, RootHeight); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        display = XOpenDisplay(server->Name().c_str());
        ClearRoot();
        ASSERT_NE(display, nullptr);
        WriteTestPicture(picture);
    }
    void TearDown() override {
        if (display != nullptr)
            XCloseDisplay(display);
    }

    void Apply(const std::string& wallpaper, const std::string& tile, const std::string& style) {
        auto store = OpenX11Store(StoreAccess::Write, values, server->Name());
        store->Write("Wallpaper", wallpaper);
        store->Write("TileWallpaper", tile);
        store->Write("WallpaperStyle", style);
        store->Reload();
    }

    Pixmap RootProperty(const char* name) {
        const Atom property = XInternAtom(display, name, True);
        if (property == None)
            return 0;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Pixmap pixmap = 0;
        if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1, False,
                               XA_PIXMAP, &type, &format, &count, &after, &data) == Success &&
            type == XA_PIXMAP && count == 1)
            pixmap = *reinterpret_cast<Pixmap*>(data);
        if (data != nullptr)
            XFree(data);
        return pixmap;
    }

    // The colour at (x, y) of a drawable, 0xRRGGBB on the 24-bit screen.
    unsigned long PixelAt(Drawable drawable, int x, int y) {
        XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return ~0UL;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    bool PixmapExists(Pixmap pixmap) {
        XSync(display, False);
        lastError = 0;
        const auto previous = XSetErrorHandler(RecordXError);
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth);
        XSync(display, False);
        XSetErrorHandler(previous);
        return lastError == 0;
    }

    // Another tool's picture, the way feh and hsetroot set one: a pixmap of a
    // connection whose resources outlive it, named in both properties, the
    // previous setter's pixmap freed.
    void SetForeignPicture(const QImage& picture) {
        Display* other = XOpenDisplay(server->Name().c_str());
        ASSERT_NE(other, nullptr);
        const Window root = DefaultRootWindow(other);
        const Pixmap previous = RootProperty("ESETROOT_PMAP_ID");
        if (previous != 0 && previous == RootProperty("_XROOTPMAP_ID"))
            XKillClient(other, previous);
        const auto width = static_cast<unsigned>(picture.width());
        const auto height = static_cast<unsigned>(picture.height());
        const Pixmap pixmap = XCreatePixmap(other, root, width, height, 24);
        XImage* image = XCreateImage(other, DefaultVisual(other, 0), 24, ZPixmap, 0, nullptr, width,
                                     height, 32, 0);
        image->data = static_cast<char*>(std::malloc(image->bytes_per_line * height));
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                XPutPixel(image, x, y, picture.pixel(x, y) & 0xFFFFFF);
        GC gc = XCreateGC(other, pixmap, 0, nullptr);
        XPutImage(other, pixmap, gc, image, 0, 0, 0, 0, width, height);
        XFreeGC(other, gc);
        XDestroyImage(image);
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            XChangeProperty(other, root, XInternAtom(other, name, False), XA_PIXMAP, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(&pixmap), 1);
        XSetWindowBackgroundPixmap(other, root, pixmap);
        XClearWindow(other, root);
        XSetCloseDownMode(other, RetainPermanent);
        XCloseDisplay(other);
    }

    // A root that no tool has given a picture: the server's own background.
    void ClearRoot() {
        const Window root = DefaultRootWindow(display);
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            XDeleteProperty(display, root, XInternAtom(display, name, False));
        XSetWindowBackgroundPixmap(display, root, None);
        XClearWindow(display, root);
        XSync(display, False);
    }

    // The whole of a drawable, as RGB32.
    QImage Grab(Drawable drawable, int width = RootWidth, int height = RootHeight) {
        XImage* image = XGetImage(display, drawable, 0, 0, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        QImage grabbed(width, height, QImage::Format_RGB32);
        if (image == nullptr)
            return {};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                grabbed.setPixel(x, y, 0xFF000000 | (XGetPixel(image, x, y) & 0xFFFFFF));
        XDestroyImage(image);
        return grabbed;
    }

    // The files the store captured, by name.
    std::vector<std::string> Captures() const {
        std::vector<std::string> names;
        std::error_code none;
        for (const auto& entry : std::filesystem::directory_iterator(captures, none))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string ReadWallpaper() {
        return OpenX11Store(StoreAccess::Read, values, server->Name())->Read("Wallpaper");
    }

    static Xvfb* server;
    TempFolder folder;
    ScopedEnv state{"XDG_STATE_HOME", folder / "state"};
    const std::string captures = folder / "state/velnora";
    const std::string values = folder / "wallpaper.ini";
    const std::string picture = folder / "picture.bmp";
    Display* display = nullptr;
};
Xvfb* X11StoreTest::server = nullptr;

struct Probe {
    int x, y;
    unsigned long colour;
};

struct LayoutCase {
    const char* label;
    const char* tile;
    const char* style;
    std::vector<Probe> probes;
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
    *out << layout.label;
}

const LayoutCase Layouts[] = {
    // The program's own: the top-left corner, pixel for pixel, nothing scaled.
    {"Own",
     "0",
     "1",
     {{0, 0, Red},
      {3, 7, Red},
      {4, 0, Green},
      {15, 3, Green},
      {15, 4, Blue},
      {15, 7, Blue},
      {16, 0, Black},
      {0, 8, Black},
      {63, 47, Black}}},
    // Centred: (64 - 16) / 2 = 24, (48 - 8) / 2 = 20.
    {"Centred",
     "0",
     "0",
     {{24, 20, Red},
      {23, 20, Black},
      {28, 20, Green},
      {39, 27, Blue},
      {40, 27, Black},
      {24, 28, Black}}},
    {"UnknownStyleCentres", "0", "7", {{24, 20, Red}, {23, 20, Black}, {39, 27, Blue}}},
    {"Tiled",
     "1",
     "0",
     {{16, 8, Red}, {20, 8, Green}, {20, 12, Blue}, {63, 47, Blue}, {48, 40, Red}}},
    // Stretched 4 x 6: the band covers x 0..15.
    {"Stretched",
     "0",
     "2",
     {{1, 1, Red}, {6, 10, Red}, {40, 10, Green}, {40, 40, Blue}, {62, 46, Blue}}},
    // Fitted to 64 x 32 at y = 8.
    {"Fitted",
     "0",
     "6",
     {{6, 2, Black}, {6, 12, Red}, {40, 12, Green}, {40, 36, Blue}, {40, 44, Black}}},
    // Filled to 96 x 48 at x = -16: the band covers x 0..7 only.
    {"Filled", "0", "10", {{2, 10, Red}, {12, 10, Green}, {40, 40, Blue}, {62, 46, Blue}}},
    {"Spanned", "0", "22", {{2, 10, Red}, {12, 10, Green}, {40, 40, Blue}}},
};

class X11LayoutTest : public X11StoreTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(X11LayoutTest, RootShowsThePictureAsLaidOut) {
    const LayoutCase& layout = GetParam();
    Apply(picture, layout.tile, layout.style);
    const Pixmap pixmap = RootProperty("_XROOTPMAP_ID");
    ASSERT_NE(pixmap, 0u);
    EXPECT_EQ(RootProperty("ESETROOT_PMAP_ID"), pixmap);
    for (const Probe& probe : layout.probes) {
        EXPECT_EQ(PixelAt(DefaultRootWindow(display), probe.x, probe.y), probe.colour)
            << "root at " << probe.x << "," << probe.y;
        EXPECT_EQ(PixelAt(pixmap, probe.x, probe.y), probe.colour)
            << "pixmap at " << probe.x << "," << probe.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, X11LayoutTest, ::testing::ValuesIn(Layouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             return info.param.label;
                         });

TEST_F(X11StoreTest, PictureThatDoesNotLoadLeavesTheRootBlack) {
    Apply(picture, "0", "1");
    ASSERT_EQ(PixelAt(DefaultRootWindow(display), 0, 0), Red);
    WriteWholeFile(folder / "broken.bmp", "BM not a picture");
    for (const std::string& wallpaper :
         {folder / "broken.bmp", folder / "missing.bmp", std::string()}) {
        Apply(picture, "0", "1");
        Apply(wallpaper, "0", "1");
        EXPECT_EQ(PixelAt(DefaultRootWindow(display), 0, 0), Black) << wallpaper;
        EXPECT_EQ(PixelAt(DefaultRootWindow(display), 63, 47), Black) << wallpaper;
    }
}

TEST_F(X11StoreTest, EachReloadFreesThePreviousPicture) {
    Apply(picture, "0", "1");
    const Pixmap first = RootProperty("_XROOTPMAP_ID");
    ASSERT_TRUE(PixmapExists(first)); // kept after our connection closed
    Apply(picture, "0", "2");
    const Pixmap second = RootProperty("_XROOTPMAP_ID");
    EXPECT_NE(second, first);
    EXPECT_FALSE(PixmapExists(first));
    EXPECT_TRUE(PixmapExists(second));
}

TEST_F(X11StoreTest, ValuesLiveInTheFileStore) {
    Apply(picture, "0", "1");
    auto files = OpenFileStore(StoreAccess::Read, values);
    EXPECT_EQ(files->Read("Wallpaper"), picture);
    EXPECT_EQ(files->Read("WallpaperStyle"), "1");
    EXPECT_TRUE(OpenX11Store(StoreAccess::Read, values, server->Name())->ExtraNames().empty());
}

TEST_F(X11StoreTest, SessionWithDisplayAndNoKnownDesktopUsesX11) {
    ScopedEnv config("XDG_CONFIG_HOME", folder.Path());
    ScopedEnv desktop("XDG_CURRENT_DESKTOP", std::nullopt);
    ScopedEnv displayName("DISPLAY", server->Name());
    ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder / "no-bus"); // no desktop runs
    Apply(picture, "0", "0"); // centred: the corner is black
    {
        auto store = OpenDesktopStore(StoreAccess::Write);
        store->Write("Wallpaper", picture);
        store->Write("TileWallpaper", "0");
        store->Write("WallpaperStyle", "1");
        store->Reload();
    }
    EXPECT_EQ(PixelAt(DefaultRootWindow(display), 0, 0), Red);
}

TEST_F(X11StoreTest, UnreachableDisplayFallsBackToTheFileStore) {
    ScopedEnv config("XDG_CONFIG_HOME", folder.Path());
    ScopedEnv desktop("XDG_CURRENT_DESKTOP", std::nullopt);
    ScopedEnv displayName("DISPLAY", "unix:/nonexistent-velnora-display");
    Apply(picture, "0", "0");
    {
        auto store = OpenDesktopStore(StoreAccess::Write);
        store->Write("WallpaperStyle", "1");
        store->Reload();
    }
    EXPECT_EQ(OpenFileStore(StoreAccess::Read, WallpaperStorePath())->Read("WallpaperStyle"), "1");
    EXPECT_EQ(PixelAt(DefaultRootWindow(display), 0, 0), Black); // untouched
}

} // namespace

namespace {

// Every pixel its own colour, so that any shift or scaling shows.
QImage Gradient(int width, int height, int seed) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(
                x, y,
                qRgb((x * 4 + seed) & 255, (y * 5 + seed * 3) & 255, (x * y + seed * 7) & 255));
    return picture;
}

QImage Load(const std::string& path) {
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

struct ForeignCase {
    const char* label;
    int width;
    int height;
    const char* tile; // what the store reads as TileWallpaper
};

void PrintTo(const ForeignCase& foreign, std::ostream* out) {
    *out << foreign.label;
}

const ForeignCase ForeignPictures[] = {
    {"RootSized", RootWidth, RootHeight, "0"},
    // X tiles a smaller pixmap from the corner, as tiling does.
    {"Tile", 10, 7, "1"},
    // Read in several requests (2^20 pixels each); X shows its top-left corner.
    {"LargerThanTheRoot", 1100, 1000, "1"},
};

class X11ForeignTest : public X11StoreTest, public ::testing::WithParamInterface<ForeignCase> {};

TEST_P(X11ForeignTest, AnotherToolsPictureIsCapturedAndPaintedBackPixelForPixel) {
    const ForeignCase& foreign = GetParam();
    const QImage set = Gradient(foreign.width, foreign.height, 1);
    SetForeignPicture(set);
    const QImage seen = Grab(DefaultRootWindow(display));
    auto store = OpenX11Store(StoreAccess::Read, values, server->Name());
    const std::string capture = store->Read("Wallpaper");
    EXPECT_EQ(std::filesystem::path(capture).parent_path(), captures);
    EXPECT_EQ(Load(capture), set);
    EXPECT_EQ(store->Read("TileWallpaper"), foreign.tile);
    EXPECT_EQ(store->Read("WallpaperStyle"), "1");
    // The way back of a backup: the values written again and reloaded.
    Apply(capture, foreign.tile, "1");
    EXPECT_EQ(Grab(DefaultRootWindow(display)), seen);
    // Now the store's own picture: read as its values, not captured again.
    EXPECT_EQ(ReadWallpaper(), capture);
    EXPECT_EQ(Captures().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Pictures, X11ForeignTest, ::testing::ValuesIn(ForeignPictures),
                         [](const ::testing::TestParamInfo<ForeignCase>& info) {
                             return info.param.label;
                         });

TEST_F(X11StoreTest, TheStoresOwnPictureReadsAsItsValues) {
    Apply(picture, "0", "2");
    auto store = OpenX11Store(StoreAccess::Read, values, server->Name());
    EXPECT_EQ(store->Read("Wallpaper"), picture);
    EXPECT_EQ(store->Read("TileWallpaper"), "0");
    EXPECT_EQ(store->Read("WallpaperStyle"), "2");
    EXPECT_TRUE(store->Holds("Wallpaper", picture));
    EXPECT_TRUE(Captures().empty());
}

TEST_F(X11StoreTest, APictureSetWhileTheCalendarIsOnDisplacesIt) {
    const std::string output = folder / "Velnora.bmp";
    WriteTestPicture(output);
    SetForeignPicture(Gradient(RootWidth, RootHeight, 1));
    const std::string user = ReadWallpaper();
    Apply(output, "0", "1"); // the calendar goes on
    EXPECT_EQ(ReadWallpaper(), output);

    SetForeignPicture(Gradient(RootWidth, RootHeight, 2));
    const std::string displaced = ReadWallpaper();
    EXPECT_NE(displaced, output);
    EXPECT_NE(displaced, user);
    EXPECT_EQ(Load(displaced), Gradient(RootWidth, RootHeight, 2));
    EXPECT_FALSE(
        OpenX11Store(StoreAccess::Read, values, server->Name())->Holds("Wallpaper", output));
    EXPECT_EQ(OpenFileStore(StoreAccess::Read, values)->Read("Wallpaper"), output);
}

TEST_F(X11StoreTest, TheCalendarPaintedBeforeTheStoreKeptARecordIsItsOwn) {
    const std::string output = folder / "Velnora.bmp";
    WriteTestPicture(output);
    Apply(output, "0", "1");
    ProfileFile(values).EraseSection("Root window"); // as an earlier version left it
    EXPECT_EQ(ReadWallpaper(), output);
    EXPECT_TRUE(Captures().empty());
}

TEST_F(X11StoreTest, APictureThatCannotBeKeptIsAnErrorAtEveryRead) {
    // The calendar was on: a read that gave the file's value instead would put
    // the program's own picture into the backup.
    WriteTestPicture(folder / "Velnora.bmp");
    Apply(folder / "Velnora.bmp", "0", "1");
    WriteWholeFile(folder / "state", "a file where the state folder should be");
    SetForeignPicture(Gradient(RootWidth, RootHeight, 1));
    auto store = OpenX11Store(StoreAccess::Read, values, server->Name());
    for (int read = 0; read < 2; ++read) {
        try {
            store->Read("Wallpaper");
            ADD_FAILURE() << "read " << read << " gave no error";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), ::testing::StartsWith("Cannot create file \"" + captures));
        }
    }
}

TEST_F(X11StoreTest, ThePictureUnderTheCalendarSetAgainAtLogonIsNoChange) {
    const std::string output = folder / "Velnora.bmp";
    WriteTestPicture(output);
    SetForeignPicture(Gradient(RootWidth, RootHeight, 1));
    ReadWallpaper();
    Apply(output, "0", "1");
    ClearRoot(); // a new session: no picture until a setter runs
    EXPECT_EQ(ReadWallpaper(), output);
    SetForeignPicture(Gradient(RootWidth, RootHeight, 1)); // ~/.fehbg at logon
    EXPECT_EQ(ReadWallpaper(), output);
}

struct PlainRootCase {
    const char* label;
    std::optional<unsigned long> background; // as xsetroot -solid sets it
    bool covered;                            // a window covers the whole root
    QRgb reads;                              // the colour of the picture the store reads
};

void PrintTo(const PlainRootCase& plain, std::ostream* out) {
    *out << plain.label;
}

const PlainRootCase PlainRoots[] = {
    {"NeverSet", std::nullopt, false, 0xFF000000},
    {"SolidColour", 0x336699, false, 0xFF336699},
    {"CoveredByAWindow", 0x336699, true, 0xFF000000},
};

class X11PlainRootTest : public X11StoreTest,
                         public ::testing::WithParamInterface<PlainRootCase> {};

TEST_P(X11PlainRootTest, ARootWithoutAPictureReadsAsAPictureOfItsColour) {
    const PlainRootCase& plain = GetParam();
    const Window root = DefaultRootWindow(display);
    if (plain.background) {
        XSetWindowBackground(display, root, *plain.background);
        XClearWindow(display, root);
    }
    Window window = 0;
    if (plain.covered) {
        window = XCreateSimpleWindow(display, root, 0, 0, RootWidth, RootHeight, 0, 0, 0);
        XSetWindowAttributes override;
        override.override_redirect = True;
        XChangeWindowAttributes(display, window, CWOverrideRedirect, &override);
        XMapWindow(display, window);
    }
    XSync(display, False);
    const std::string wallpaper = ReadWallpaper();
    if (window != 0)
        XDestroyWindow(display, window);
    QImage expected(RootWidth, RootHeight, QImage::Format_RGB32);
    expected.fill(plain.reads);
    EXPECT_EQ(Load(wallpaper), expected);
    Apply(wallpaper, "0", "1");
    EXPECT_EQ(Grab(root), expected);
    EXPECT_EQ(ReadWallpaper(), wallpaper); // the same picture, the same file
}

INSTANTIATE_TEST_SUITE_P(Roots, X11PlainRootTest, ::testing::ValuesIn(PlainRoots),
                         [](const ::testing::TestParamInfo<PlainRootCase>& info) {
                             return info.param.label;
                         });

TEST_F(X11StoreTest, CapturesAreKeptPerPictureAndTheOldestRemoved) {
    SetForeignPicture(Gradient(RootWidth, RootHeight, 0));
    const std::string restored = ReadWallpaper();
    Apply(restored, "0", "1"); // switched off: the store names the capture
    std::vector<std::string> seen;
    for (int i = 1; i <= 6; ++i) {
        SetForeignPicture(Gradient(RootWidth, RootHeight, i));
        seen.push_back(ReadWallpaper());
    }
    SetForeignPicture(Gradient(RootWidth, RootHeight, 3)); // seen again: the same file
    EXPECT_EQ(ReadWallpaper(), seen[2]);
    EXPECT_TRUE(std::filesystem::exists(restored));
    EXPECT_FALSE(std::filesystem::exists(seen[0]));
    EXPECT_FALSE(std::filesystem::exists(seen[1]));
    for (int i = 2; i < 6; ++i)
        EXPECT_TRUE(std::filesystem::exists(seen[i])) << i;
    EXPECT_EQ(Captures().size(), 5u);
}

} // namespace
