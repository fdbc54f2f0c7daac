// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli stretch: the program's load, stretch and save from the command
// line, and its errors, which leave no output file behind.
#include "../support/BmpBytes.h"
#include "../support/TempFolder.h"
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace velnora;

namespace {

const std::string Pictures = std::string(VELNORA_TEST_DATA) + "/pictures/";

class StretchCommandTest : public TempFolderTest {};

// The first pixel of a stretch is exactly the source's first pixel.
TEST_F(StretchCommandTest, WritesTheStretchedPictureAsBmp) {
    const struct {
        const char* in;
        const char* reference; // the same picture as a BMP: djpeg's decode, or itself
        const char* width;
        const char* height;
        int w, h;
    } cases[] = {
        {"photo.jpg", "photo.djpeg.bmp", "80", "45", 80, 45},
        {"photo24.bmp", "photo24.bmp", "$10", " 9", 16, 9},
        {"gray.jpg", "gray.djpeg.bmp", "0x1", "+1", 1, 1},
        {"photo.png", "photo24.bmp", "80", "45", 80, 45},
    };
    for (const auto& c : cases) {
        const std::string out = PathOf("out.bmp");
        const CliResult r = RunCli({"stretch", Pictures + c.in, out, c.width, c.height});
        EXPECT_EQ(r.status, 0) << c.in;
        EXPECT_EQ(r.err, "") << c.in;
        EXPECT_EQ(r.out, "") << c.in;
        const Bmp24 written = ReadBmp24(ReadBytes(out)); // 0 x 0 unless 24-bit
        EXPECT_EQ(written.width, c.w) << c.in;
        EXPECT_EQ(written.height, c.h) << c.in;
        // The grey reference is 8-bit, so not read here.
        const Bmp24 source = ReadBmp24(ReadBytes(Pictures + c.reference));
        if (source.width > 0 && written.width > 0) {
            EXPECT_EQ(written.At(0, 0), source.At(0, 0)) << c.in;
        }
    }
}

TEST_F(StretchCommandTest, FailsWithTheMessageAndLeavesNoFile) {
    const std::string missing = PathOf("missing.jpg");
    const std::string out = PathOf("out.bmp");
    const std::string noFolder = PathOf("no folder/out.bmp");
    const std::string photo = Pictures + "photo.jpg";
    const std::string notes = Write("notes.txt", "Wallpaper ideas\n");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{missing, out, "10", "10"},
         "Cannot open file \"" + missing + "\". No such file or directory"},
        {{notes, out, "10", "10"},
         "Cannot read picture \"" + notes +
             "\": not a BMP, JPEG, PNG, WebP, TIFF, GIF or SVG file"},
        {{photo, out, "12a", "10"}, "'12a' is not a valid integer value"},
        {{photo, out, "10", ""}, "'' is not a valid integer value"},
        {{photo, noFolder, "10", "10"},
         "Cannot create file \"" + noFolder + "\". No such file or directory"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"stretch"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.err, "velnora-cli: " + c.message + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(std::filesystem::exists(out)) << c.message;
        EXPECT_FALSE(std::filesystem::exists(noFolder)) << c.message;
    }
}

// Sizes the stretch cannot make are refused before anything is written; an
// older output file stays as it was.
TEST_F(StretchCommandTest, RefusesSizesItCannotMake) {
    const std::string out = Write("out.bmp", "old picture");
    for (const auto& size :
         {std::pair{"0", "10"}, std::pair{"10", "-1"}, std::pair{"65537", "1"}}) {
        const CliResult r =
            RunCli({"stretch", Pictures + "photo.jpg", out, size.first, size.second});
        EXPECT_EQ(r.status, 2) << size.first << " x " << size.second;
        EXPECT_EQ(r.err.rfind("velnora-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(ReadWholeFile(out), "old picture");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(StretchCommandTest, WantsFourArguments) {
    const CliResult r = RunCli({"stretch", Pictures + "photo.jpg", PathOf("out.bmp"), "10"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Usage: velnora-cli"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(PathOf("out.bmp")));
}

} // namespace
