// The bare X11 store under an Xvfb of our own: the root window's pixels and
// the pixmap properties after a reload.
#include "DesktopStore.h"
#include "TestSupport.h"

#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int RootWidth = 64;
constexpr int RootHeight = 48;

// An X server on a display number it chooses itself (-displayfd), so two test
// runs never collide; it reports the number once it accepts connections.
class Xvfb {
  public:
    Xvfb() {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        const std::string fd = std::to_string(fds[1]);
        const std::string screen =
            std::to_string(RootWidth) + "x" + std::to_string(RootHeight) + "x24";
        const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(), "-nolisten",    "tcp",
                              "-noreset", "-screen",    "0",        screen.c_str(), nullptr};
        const int spawned =
            posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char* const*>(argv), environ);
        close(fds[1]);
        std::string number;
        char c = 0;
        while (spawned == 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (spawned != 0 || number.empty())
            throw std::runtime_error("Xvfb did not start");
        name_ = ":" + number;
    }
    ~Xvfb() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = 0;
    std::string name_;
};

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
    static void SetUpTestSuite() { server = new Xvfb(); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        display = XOpenDisplay(server->Name().c_str());
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

    static Xvfb* server;
    TempFolder folder;
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
