// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli render, run as a user runs it: the picture written, the calendar
// on it where the choices put it, and the message and no file on a failure.
#include "../support/BmpBytes.h"
#include "../support/TempFolder.h"
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

constexpr Pixel White{255, 255, 255};
constexpr Pixel PureRed{0, 0, 255};

// Pixels in x0..x1 - 1, y0..y1 - 1 that are not white.
int InkIn(const Bmp24& picture, int x0, int y0, int x1, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            ink += !(picture.At(x, y) == White);
    return ink;
}

class RenderCommand : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        source_ = folder_ / "source.bmp";
        WritePlainBmp(source_, 1024, 768, 0x00FFFFFF);
    }

    static CliResult Render(std::vector<std::string> args) {
        args.insert(args.begin(), "render");
        return RunCli(args);
    }

    // The calendar of 1389/1/15 with the given options, rendered into out.bmp.
    Bmp24 Rendered(const std::vector<std::string>& options) const {
        std::vector<std::string> args = {(folder_ / "out.bmp").string(), "--source",
                                         source_.string(), "--date", "1389/1/15"};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult run = Render(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Written(), std::vector<std::string>{"out.bmp"});
        const Bmp24 picture = ReadBmp24(ReadBytes(folder_ / "out.bmp"));
        EXPECT_GT(picture.width, 0) << "not a 24-bit BMP";
        return picture;
    }

    // What the folder holds besides the source picture.
    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path() != source_)
                names.push_back(entry.path().filename().string());
        return names;
    }

    // A white 400 x 300 drawing, its bottom quarter red, as the source.
    void UseDrawing() {
        fs::remove(source_);
        source_ = folder_ / "source.svg";
        std::ofstream(source_) << R"(<svg xmlns="http://www.w3.org/2000/svg" width="400"
  height="300" viewBox="0 0 4 4"><rect width="4" height="4" fill="#fff"/>
  <rect y="3" width="4" height="1" fill="#f00"/></svg>)";
    }

    fs::path source_;
};

// 1389/1/15: today is column 5, row 3 of the current month, which at the top
// right of a 1024 x 768 picture 30 pixels in has its slot at (614, 30). The
// frame spans 734..756 x 125..147; its straight top edge is x 744..746.
TEST_F(RenderCommand, DrawsTodaysCalendarOntoThePicture) {
    const Bmp24 picture = Rendered({});
    ASSERT_EQ(picture.width, 1024);
    ASSERT_EQ(picture.height, 768);
    for (int x = 744; x <= 746; ++x)
        EXPECT_EQ(picture.At(x, 125), PureRed) << x;
    for (int y = 135; y <= 137; ++y) {
        EXPECT_EQ(picture.At(734, y), PureRed) << y;
        EXPECT_EQ(picture.At(756, y), PureRed) << y;
    }
    EXPECT_EQ(picture.At(734, 125), White); // the corner is round
    EXPECT_EQ(picture.At(757, 136), White); // the right edge is exclusive
    // Three titles and their grids, and nothing outside the three slots.
    for (int slot : {424, 614, 804}) {
        EXPECT_GT(InkIn(picture, slot, 30, slot + 161, 53), 50) << slot;
        EXPECT_GT(InkIn(picture, slot, 53, slot + 167, 220), 500) << slot;
    }
    EXPECT_EQ(InkIn(picture, 0, 0, 1024, 25), 0);
    EXPECT_EQ(InkIn(picture, 0, 0, 415, 768), 0);
    EXPECT_EQ(InkIn(picture, 0, 230, 1024, 768), 0);
}

// 30 Esfand 1403 exists only under the official rule (the default is the
// arithmetic one): today's frame then goes around column 1, row 5 of the
// current month, 638..660 x 173..195, its straight top edge x 648..650.
TEST_F(RenderCommand, TheOfficialCalendarHasThe30thOfEsfand1403) {
    const Bmp24 picture = Rendered({"--date", "1403/12/30", "--calendar", "official"});
    for (int x = 648; x <= 650; ++x)
        EXPECT_EQ(picture.At(x, 173), PureRed) << x;
    fs::remove(folder_ / "out.bmp");
    const CliResult arithmetic = Render(
        {(folder_ / "out.bmp").string(), "--source", source_.string(), "--date", "1403/12/30"});
    EXPECT_EQ(arithmetic.status, 2);
    EXPECT_EQ(arithmetic.err.rfind("velnora-cli: --date 1403/12/30: Esfand 1403 has 29 days\n", 0),
              0u)
        << arithmetic.err;
    EXPECT_TRUE(Written().empty());
}

TEST_F(RenderCommand, CornerDistancesAndHiddenMonths) {
    // Bottom left, 16 and 5 pixels in, without the next month: the current
    // month takes the corner slot at (16, 573), the previous month the next one.
    const Bmp24 picture =
        Rendered({"--corner", "bottom-left", "--dx", "0x10", "--dy", "5", "--no-next"});
    ASSERT_EQ(picture.height, 768);
    for (int x = 146; x <= 148; ++x)
        EXPECT_EQ(picture.At(x, 668), PureRed) << x;
    // The last row of cells ends 5 pixels above the bottom.
    EXPECT_GT(InkIn(picture, 16, 573, 16 + 380, 763), 1000);
    EXPECT_EQ(InkIn(picture, 0, 763, 1024, 768), 0);
    EXPECT_EQ(InkIn(picture, 0, 0, 1024, 570), 0);
    EXPECT_EQ(InkIn(picture, 16 + 2 * 190, 0, 1024, 768), 0);
    EXPECT_EQ(InkIn(picture, 0, 0, 16, 768), 0);
}

TEST_F(RenderCommand, ColoursAndStretch) {
    // Stretched to 800 x 600 first: the current month's slot is at (390, 30).
    const Bmp24 picture = Rendered({"--size", "800x600", "--today-colour", "0x00FF00",
                                    "--text-colour", "$FF0000", "--no-prev"});
    ASSERT_EQ(picture.width, 800);
    ASSERT_EQ(picture.height, 600);
    // Without the previous month the current one moves right by a slot.
    for (int x = 390 + 190 + 130; x <= 390 + 190 + 132; ++x)
        EXPECT_EQ(picture.At(x, 125), (Pixel{0, 255, 0})) << x;
    int blue = 0, other = 0;
    for (int y = 30; y < 220; ++y) {
        for (int x = 200; x < 800; ++x) {
            const Pixel p = picture.At(x, y);
            if (p == White)
                continue;
            // Text ink is blue over white; today's ink green over white.
            if (p.blue == 255 && p.red == p.green)
                ++blue;
            else if (!(p.green == 255 && p.red == p.blue))
                ++other;
        }
    }
    EXPECT_GT(blue, 1000);
    EXPECT_EQ(other, 0);
}

// A drawing is rendered at the size asked for, else at its own size: either
// way its edges stay sharp (no stretch of a small rendering).
TEST_F(RenderCommand, DrawsADrawingAtTheAskedSize) {
    UseDrawing();
    for (const auto& [options, width, height] :
         {std::tuple{std::vector<std::string>{"--no-prev", "--no-next"}, 400, 300},
          std::tuple{std::vector<std::string>{"--size", "800x600"}, 800, 600}}) {
        const Bmp24 picture = Rendered(options);
        ASSERT_EQ(picture.width, width);
        ASSERT_EQ(picture.height, height);
        // The edge, at three quarters of the height, blends over one row at most.
        EXPECT_EQ(picture.At(2, height * 3 / 4 - 1), White);
        EXPECT_EQ(picture.At(2, height * 3 / 4 + 1), PureRed);
        fs::remove(folder_ / "out.bmp");
    }
}

// Brought to 800 x 300, the 4:3 drawing keeps its proportions unless asked to
// stretch exactly: zoomed, its red bottom quarter is cropped away.
TEST_F(RenderCommand, KeepsTheProportionsUnlessAskedToStretchExactly) {
    UseDrawing();
    EXPECT_EQ(Rendered({"--size", "800x300"}).At(2, 298), White);
    fs::remove(folder_ / "out.bmp");
    EXPECT_EQ(Rendered({"--size", "800x300", "--proportions", "exact"}).At(2, 298), PureRed);
}

// Shown zoomed on a screen of half its size, the picture gets the calendar at
// twice the scale, so that the screen shows it at its size.
TEST_F(RenderCommand, ForAScreenDrawsAtTheScreensScale) {
    const Bmp24 doubled = Rendered({"--no-prev", "--no-next", "--scale", "200"});
    EXPECT_EQ(Rendered({"--no-prev", "--no-next", "--screen", "512x384"}).pixels, doubled.pixels);
}

TEST_F(RenderCommand, FailuresGiveTheMessageAndLeaveNoFile) {
    const std::string out = (folder_ / "out.bmp").string();
    const std::string source = source_.string();
    struct {
        std::vector<std::string> args;
        const char* message;
    } const cases[] = {
        {{out, "--date", "1389/1/15"}, "velnora-cli: render wants --source PICTURE\n"},
        {{"--source", source}, "velnora-cli: render wants an output file\n"},
        {{out, "--source", source, "--dx", "abc"},
         "velnora-cli: --dx is a distance from 0 to 100 pixels, not 'abc'\n"},
        {{out, "--source", source, "--dy", ""},
         "velnora-cli: --dy is a distance from 0 to 100 pixels, not ''\n"},
        {{out, "--source", source, "--dx", "5000"}, nullptr},
        {{out, "--source", source, "--dy", "-1"}, nullptr},
        // The calendar must fit the picture: a month cut off, or all of it.
        {{out, "--source", source, "--date", "1405/9/17", "--scale", "200"},
         "velnora-cli: the calendar does not fit the 1024x768 picture: Dey 1405 is cut off (at "
         "scale 200 %; a smaller --scale, --dx or --dy, or a larger picture, fits it)\n"},
        {{out, "--source", source, "--date", "1405/9/17", "--scale", "400"},
         "velnora-cli: the calendar does not fit the 1024x768 picture: Aban 1405, Azar 1405, "
         "Dey 1405 are cut off (at scale 400 %; a smaller --scale, --dx or --dy, or a larger "
         "picture, fits it)\n"},
        {{out, "--source", source, "--size", "100x100", "--corner", "top-left", "--dx", "100"},
         "velnora-cli: the calendar lies outside the 100x100 picture (at scale 100 %; a smaller "
         "--scale, --dx or --dy, or a larger picture, fits it)\n"},
        {{out, "--source", source, "--text-colour", "redd"},
         "velnora-cli: --text-colour wants a colour (0x00BBGGRR, #rrggbb or a name), not "
         "'redd'\n"},
        {{out, "--source", source, "--today-colour", "#12345"},
         "velnora-cli: --today-colour wants a colour (0x00BBGGRR, #rrggbb or a name), not "
         "'#12345'\n"},
        {{out, "--source", source, "--holiday-colour", "#12345g"}, nullptr},
        {{out, "--source", source, "--outline", "pink"},
         "velnora-cli: --outline wants a colour (0x00BBGGRR, #rrggbb or a name), not 'pink'\n"},
        {{out, "--source", source, "--scale", "99"},
         "velnora-cli: --scale is auto or a percentage from 100 to 400, not '99'\n"},
        {{out, "--source", source, "--scale", "401"}, nullptr},
        {{out, "--source", source, "--scale", "150%"}, nullptr},
        {{out, "--source", source, "--date", "9378/10/05"},
         "velnora-cli: the next month, Bahman 9378, cannot be shown: it is after 12 Dey 9378, "
         "the last day the program can show (Invalid argument to date encode); leave it out "
         "with --no-next\n"},
        {{out, "--source", source, "--date", "9378/11/01", "--no-next"},
         "velnora-cli: Bahman 9378 cannot be shown: it is after 12 Dey 9378, the last day the "
         "program can show (Invalid argument to date encode)\n"},
        {{out, "--source", source, "--date", "1389/13/1"},
         "velnora-cli: --date 1389/13/1: the month is not 1 to 12\n"},
        {{out, "--source", source, "--date", "1403/12/30"},
         "velnora-cli: --date 1403/12/30: Esfand 1403 has 29 days\n"},
        {{out, "--source", source, "--corner", "middle"},
         "velnora-cli: --corner is top-right, bottom-right, bottom-left or top-left, not "
         "'middle'\n"},
        {{out, "--source", source, "--size", "8x6", "--proportions", "fill"},
         "velnora-cli: --proportions is keep or exact, not 'fill'\n"},
        {{out, "--source", source, "--proportions", "keep"},
         "velnora-cli: --proportions wants --size\n"},
        {{out, "--source", source, "--size", "800"},
         "velnora-cli: --size wants WIDTHxHEIGHT, not '800'\n"},
        {{out, "--source", source, "--size", "8x6", "--screen", "8x6"},
         "velnora-cli: --screen wants no --size: the picture is stretched or shown, not both\n"},
        {{out, "--source", source, "--shown-as", "fit"},
         "velnora-cli: --shown-as wants --screen\n"},
        {{out, "--source", source, "--screen", "8x6", "--shown-as", "tile"},
         "velnora-cli: --shown-as is zoom, fit, centre, stretch or top-left, not 'tile'\n"},
        {{out, "--source", source, "--dx"}, "velnora-cli: render: Missing value after '--dx'.\n"},
        {{out, "--source", source, "--shadow"}, "velnora-cli: render: Unknown option 'shadow'.\n"},
        {{out, "--source", source, "--no-next=1"}, nullptr},
        {{out, "other.bmp", "--source", source},
         "velnora-cli: render: unexpected argument 'other.bmp'\n"},
        {{out, "--source", (folder_ / "missing.jpg").string()}, nullptr},
        {{out, "--source", source, "--size", "0x600"}, nullptr},
        {{(folder_ / "no" / "out.bmp").string(), "--source", source}, nullptr},
    };
    for (const auto& c : cases) {
        std::string trace;
        for (const std::string& arg : c.args)
            trace += arg + " ";
        SCOPED_TRACE(trace);
        const CliResult run = Render(c.args);
        EXPECT_NE(run.status, 0);
        // One line of the message; misuse adds the usage text after it.
        const std::size_t at = run.err.find("velnora-cli: ");
        ASSERT_NE(at, std::string::npos) << run.err;
        const std::string line = run.err.substr(at, run.err.find('\n', at) + 1 - at);
        if (c.message) {
            EXPECT_EQ(line, c.message);
        }
        EXPECT_EQ(run.err.find("velnora-cli: ", at + 1), std::string::npos) << run.err;
        EXPECT_TRUE(Written().empty());
    }
}

// A colour reads the same as a number, as #rrggbb, as a name and in Persian
// digits; the options of both forms and the digits give the same picture.
TEST_F(RenderCommand, ColourFormsAndOptionFormsGiveTheSamePicture) {
    const Bmp24 numbers = Rendered({"--text-colour", "0xFF0000", "--today-colour", "65280"});
    const std::vector<std::vector<std::string>> sameCases = {
        {"--text-colour", "blue", "--today-colour", "#00ff00"},
        {"--text-colour=#0000FF", "--today-colour=0x00FF00"},
        {"--text-colour", "BLUE", "--today-colour", "۶۵۲۸۰"},
        {"--text-colour", "$FF0000", "--today-colour", "٦٥٢٨٠"},
    };
    for (const std::vector<std::string>& options : sameCases) {
        const Bmp24 picture = Rendered(options);
        EXPECT_TRUE(picture.pixels == numbers.pixels) << testing::PrintToString(options);
        fs::remove(folder_ / "out.bmp");
    }
    // green is CSS's #008000, not the pure green above.
    const Bmp24 green = Rendered({"--text-colour", "0xFF0000", "--today-colour", "green"});
    EXPECT_FALSE(green.pixels == numbers.pixels);
    fs::remove(folder_ / "out.bmp");
    // Distances in Persian digits are the same distances.
    const Bmp24 moved = Rendered({"--dx", "40", "--dy", "50"});
    fs::remove(folder_ / "out.bmp");
    EXPECT_TRUE(Rendered({"--dx", "۴۰", "--dy=۵۰"}).pixels == moved.pixels);
}

// The scale, outline and holiday colour are taken in every form they have,
// and "--" lets the output file's name begin with "-".
TEST_F(RenderCommand, TakesScaleOutlineAndHolidayColour) {
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--scale", "auto"},
             {"--scale", "100"},
             {"--scale=400", "--size", "1600x1000", "--no-prev", "--no-next"},
             {"--scale", "۱۵۰"},
             {"--outline", "none"},
             {"--outline", "auto"},
             {"--outline", "white"},
             {"--outline=#ffffff"},
             {"--holiday-colour", "none"},
             {"--holiday-colour", "#008000"},
             {"--holiday-colour", "255"},
         }) {
        Rendered(options);
        fs::remove(folder_ / "out.bmp");
    }
    const std::string command = "cd '" + folder_.string() +
                                "' && '" VELNORA_BIN_DIR
                                "/velnora-cli' render --source source.bmp -- -out.bmp";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Written(), std::vector<std::string>{"-out.bmp"});
}

// Dari names change the three titles and nothing else.
TEST_F(RenderCommand, DariMonthNamesChangeOnlyTheTitles) {
    const Bmp24 iranian = Rendered({});
    const Bmp24 dari = Rendered({"--month-names", "dari"});
    for (int slot : {424, 614, 804}) {
        EXPECT_NE(InkIn(iranian, slot, 30, slot + 161, 53), InkIn(dari, slot, 30, slot + 161, 53));
        EXPECT_EQ(InkIn(iranian, slot, 53, slot + 167, 220), InkIn(dari, slot, 53, slot + 167, 220));
    }
}

// The last month that can be shown is drawn without its next month.
TEST_F(RenderCommand, TheLastMonthIsDrawnWithoutTheNext) {
    const std::string out = (folder_ / "out.bmp").string();
    const CliResult run =
        Render({out, "--source", source_.string(), "--date", "9378/10/05", "--no-next"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Written(), std::vector<std::string>{"out.bmp"});
}

TEST_F(RenderCommand, AFailureLeavesAnEarlierPictureAsItWas) {
    const fs::path out = folder_ / "out.bmp";
    ASSERT_EQ(Render({out.string(), "--source", source_.string()}).status, 0);
    const Bytes before = ReadBytes(out);
    EXPECT_NE(Render({out.string(), "--source", source_.string(), "--dy", "x"}).status, 0);
    EXPECT_EQ(ReadBytes(out), before);
    EXPECT_EQ(Written(), std::vector<std::string>{"out.bmp"});
}

// Run from cron or ssh there is no XDG_RUNTIME_DIR; Qt's note about it must
// not reach the user, who sees only the program's own messages.
TEST_F(RenderCommand, SaysNothingWithoutARuntimeFolder) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = runtime ? runtime : "";
    unsetenv("XDG_RUNTIME_DIR");
    const CliResult run = Render({(folder_ / "out.bmp").string(), "--source", source_.string()});
    if (runtime)
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Written(), std::vector<std::string>{"out.bmp"});
}

} // namespace
