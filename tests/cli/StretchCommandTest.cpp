// velnora-cli stretch: the program's load, stretch and save from the command
// line, and its errors, which leave no output file behind.
#include "../support/TempFolder.h"
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

const std::string Pictures = std::string(VELNORA_TEST_DATA) + "/pictures/";

uint32_t Get32(const std::string& b, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(b[i]));
    };
    return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
}

// A 24-bit bottom-up BMP: its size and the three bytes of its top-left pixel.
struct BmpFacts {
    uint32_t width = 0, height = 0, bits = 0;
    std::string topLeft;
};

BmpFacts Facts(const std::string& file) {
    BmpFacts f;
    if (file.size() < 54 || file.compare(0, 2, "BM") != 0)
        return f;
    f.width = Get32(file, 18);
    f.height = Get32(file, 22);
    f.bits = static_cast<uint8_t>(file[28]);
    const std::size_t stride = (f.width * 3 + 3) / 4 * 4;
    const std::size_t top = Get32(file, 10) + stride * (f.height - 1);
    if (top + 3 <= file.size())
        f.topLeft = file.substr(top, 3);
    return f;
}

class StretchCommandTest : public TempFolderTest {};

// The first pixel of a stretch is exactly the source's first pixel.
TEST_F(StretchCommandTest, WritesTheStretchedPictureAsBmp) {
    const struct {
        const char* in;
        const char* reference; // the same picture as a BMP: djpeg's decode, or itself
        const char* width;
        const char* height;
        uint32_t w, h;
    } cases[] = {
        {"photo.jpg", "photo.djpeg.bmp", "80", "45", 80, 45},
        {"photo24.bmp", "photo24.bmp", "$10", " 9", 16, 9},
        {"gray.jpg", "gray.djpeg.bmp", "0x1", "+1", 1, 1},
    };
    for (const auto& c : cases) {
        const std::string out = PathOf("out.bmp");
        const CliResult r = RunCli({"stretch", Pictures + c.in, out, c.width, c.height});
        EXPECT_EQ(r.status, 0) << c.in;
        EXPECT_EQ(r.err, "") << c.in;
        EXPECT_EQ(r.out, "") << c.in;
        const BmpFacts facts = Facts(Contents(out));
        EXPECT_EQ(facts.width, c.w) << c.in;
        EXPECT_EQ(facts.height, c.h) << c.in;
        EXPECT_EQ(facts.bits, 24u) << c.in;
        const BmpFacts source = Facts(Contents(Pictures + c.reference));
        // The grey reference is 8-bit: its top-left bytes are palette indexes.
        if (source.bits == 24) {
            EXPECT_EQ(facts.topLeft, source.topLeft) << c.in;
        }
    }
}

TEST_F(StretchCommandTest, FailsWithTheMessageAndLeavesNoFile) {
    const std::string missing = PathOf("missing.jpg");
    const std::string out = PathOf("out.bmp");
    const std::string noFolder = PathOf("no folder/out.bmp");
    const std::string photo = Pictures + "photo.jpg";
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{missing, out, "10", "10"},
         "Cannot open file \"" + missing + "\". No such file or directory"},
        {{Pictures + "photo.png", out, "10", "10"}, "JPEG error #53"},
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
        EXPECT_EQ(Contents(out), "old picture");
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
