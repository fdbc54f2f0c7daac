// SPDX-License-Identifier: GPL-3.0-or-later

#include "Settings.h"
#include "../support/ExpectMessage.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

using namespace velnora;

namespace {

using SettingsTest = TempFolderTest;

void ExpectSame(const Settings& a, const Settings& b, const std::string& what) {
    for (const SettingKey& key : SettingsSchema)
        EXPECT_EQ(SettingText(a, key), SettingText(b, key))
            << what << ": " << key.section << "/" << key.key;
}

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
    const Settings read = LoadSettings(ProfileFile(PathOf("absent.INI")));
    EXPECT_EQ(read.leftRight, 30);
    EXPECT_EQ(read.topBottom, 30);
    EXPECT_EQ(read.leftRightText, "30");
    EXPECT_EQ(read.topBottomText, "30");
    EXPECT_EQ(read.back, 0);
    EXPECT_EQ(read.today, 255);
    EXPECT_TRUE(read.previous);
    EXPECT_TRUE(read.next);
    EXPECT_EQ(read.position, 1);
    EXPECT_FALSE(read.choose);
    EXPECT_TRUE(read.current);
    EXPECT_TRUE(read.stretch);
    EXPECT_EQ(read.path, "");
    EXPECT_EQ(read.calendarRule, "arithmetic");
    EXPECT_EQ(CalendarRuleOf(read), PersianDate::CalendarRule::Arithmetic);
    // No key read from the file: every field keeps its initial value.
    ExpectSame(read, Settings{}, "defaults");
    EXPECT_FALSE(std::filesystem::exists(PathOf("absent.INI")));
}

// What the window shows of each key is checked with the window; these are the
// readings it does not show.
TEST_F(SettingsTest, EachKeyReadsByItsEncoding) {
    struct Case {
        const char* what;
        const char* file;
        std::function<void(const Settings&)> check;
    };
    const Case cases[] = {
        {"today negative", "[color]\ntoday=-16777216\n",
         [](const Settings& s) { EXPECT_EQ(s.today, -16777216); }},
        {"today not a number", "[color]\ntoday=red\n",
         [](const Settings& s) { EXPECT_EQ(s.today, 255); }},
        {"distance abc: integer default, text as stored", "[distance]\ntopbottom=abc\n",
         [](const Settings& s) {
             EXPECT_EQ(s.topBottom, 30);
             EXPECT_EQ(s.topBottomText, "abc");
         }},
        {"distance empty: integer default, empty text", "[distance]\nleftright=\n",
         [](const Settings& s) {
             EXPECT_EQ(s.leftRight, 30);
             EXPECT_EQ(s.leftRightText, "");
         }},
        {"both sources on", "[image]\nchoose=1\ncurrent=1\n",
         [](const Settings& s) {
             EXPECT_TRUE(s.choose);
             EXPECT_TRUE(s.current);
         }},
        {"both sources off", "[image]\nchoose=0\ncurrent=0\n",
         [](const Settings& s) {
             EXPECT_FALSE(s.choose);
             EXPECT_FALSE(s.current);
         }},
        {"stretch off", "[IMAGE]\nStretch = 0\n",
         [](const Settings& s) { EXPECT_FALSE(s.stretch); }},
        {"path quoted", "[image]\npath=\"/home/u/My Pictures/a.jpg\"\n",
         [](const Settings& s) { EXPECT_EQ(s.path, "/home/u/My Pictures/a.jpg"); }},
        {"Windows file",
         "[distance]\r\nleftright=12\r\ntopbottom=40\r\n[image]\r\npath=C:\\a.jpg\r\n",
         [](const Settings& s) {
             EXPECT_EQ(s.leftRight, 12);
             EXPECT_EQ(s.topBottomText, "40");
             EXPECT_EQ(s.path, "C:\\a.jpg");
         }},
        {"official calendar, in any case", "[Calendar]\nRule=Official\n",
         [](const Settings& s) {
             EXPECT_EQ(s.calendarRule, "official");
             EXPECT_EQ(CalendarRuleOf(s), PersianDate::CalendarRule::Official);
         }},
        {"calendar rule neither of the two", "[calendar]\nrule=astronomical\n",
         [](const Settings& s) {
             EXPECT_EQ(s.calendarRule, "arithmetic");
             EXPECT_EQ(CalendarRuleOf(s), PersianDate::CalendarRule::Arithmetic);
         }},
        {"calendar rule empty", "[calendar]\nrule=\n",
         [](const Settings& s) { EXPECT_EQ(s.calendarRule, "arithmetic"); }},
        {"other dates and names neither of theirs", "[calendar]\notherdates=lunar\nmonthnames=pashto\n",
         [](const Settings& s) {
             EXPECT_EQ(OtherDatesOf(s), OtherDates::None);
             EXPECT_EQ(s.monthNames, "iranian");
         }},
        {"other dates and names in any case", "[calendar]\notherdates=Gregorian\nmonthnames=Dari\n",
         [](const Settings& s) {
             EXPECT_EQ(s.otherDates, "gregorian");
             EXPECT_EQ(s.monthNames, "dari");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.check(LoadSettings(ProfileFile(Write("case.INI", c.file))));
    }
}

TEST_F(SettingsTest, SaveWritesEveryChoiceInOrder) {
    Settings settings;
    settings.leftRightText = " 007";
    settings.topBottomText = "100";
    settings.back = -1;
    settings.today = 0x00FF00;
    settings.previous = false;
    settings.position = 0;
    settings.choose = true;
    settings.current = false;
    settings.stretch = false;
    settings.path = "/pics/a b.jpg";
    settings.calendarRule = "official";
    settings.scale = "150";
    settings.outline = "auto";
    settings.holiday = 0x0000C0;
    settings.otherDates = "gregorian-lunar";
    settings.monthNames = "dari";
    settings.keepProportions = false;
    settings.workArea = false;
    ProfileFile file(PathOf("velnora.INI"));
    SaveSettings(file, settings);
    EXPECT_EQ(ReadWholeFile(file.Path()), "[distance]\n"
                                     "leftright= 007\n"
                                     "topbottom=100\n"
                                     "workarea=0\n"
                                     "\n"
                                     "[color]\n"
                                     "back=-1\n"
                                     "today=65280\n"
                                     "outline=auto\n"
                                     "holiday=192\n"
                                     "\n"
                                     "[months]\n"
                                     "previous=0\n"
                                     "next=1\n"
                                     "\n"
                                     "[image]\n"
                                     "position=0\n"
                                     "choose=1\n"
                                     "current=0\n"
                                     "stretch=0\n"
                                     "path=/pics/a b.jpg\n"
                                     "keepproportions=0\n"
                                     "\n"
                                     "[calendar]\n"
                                     "rule=official\n"
                                     "scale=150\n"
                                     "otherdates=gregorian-lunar\n"
                                     "monthnames=dari\n");
}

TEST_F(SettingsTest, SaveKeepsTheBackupAndForeignLines) {
    const std::string path = Write("velnora.INI", "; my notes\n"
                                                  "[oldwallpaper]\n"
                                                  "Wallpaper=/pics/sea.jpg\n"
                                                  "\n"
                                                  "[image]\n"
                                                  "path=/gone.jpg\n"
                                                  "extra=kept\n");
    ProfileFile file(path);
    Settings settings = LoadSettings(file);
    settings.path = ""; // the window empties a path that names no file
    SaveSettings(file, settings);
    const std::string saved = ReadWholeFile(path);
    EXPECT_EQ(saved.rfind("; my notes\n[oldwallpaper]\nWallpaper=/pics/sea.jpg\n\n[image]\n"
                          "path=\nextra=kept\nposition=1\n",
                          0),
              0u)
        << saved;
    ExpectSame(LoadSettings(file), settings, "read back");
}

TEST_F(SettingsTest, RoundTripThroughTheFile) {
    Settings settings;
    settings.leftRight = 55;
    settings.leftRightText = "55";
    settings.topBottom = 12;
    settings.topBottomText = "12";
    settings.back = 0x123456;
    settings.next = false;
    settings.position = 4;
    settings.path = "/x.bmp";
    settings.otherDates = "gregorian";
    settings.monthNames = "dari";
    settings.workArea = false;
    ProfileFile file(PathOf("round.INI"));
    SaveSettings(file, settings);
    ExpectSame(LoadSettings(file), settings, "round trip");
}

TEST_F(SettingsTest, ReadOnlyFileRefusesTheFirstChange) {
    // A file without write bits is refused as on Windows, even for root.
    const std::string path = Write("velnora.INI", "[distance]\nleftright=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    ProfileFile file(path);
    Settings settings;
    settings.leftRightText = "1"; // unchanged, so not written at all
    ExpectMessage([&] { SaveSettings(file, settings); },
                  "Unable to write to " + path + ". Permission denied");
    EXPECT_EQ(ReadWholeFile(path), "[distance]\nleftright=1\n");

    const std::string inFolder = PathOf("sub.INI");
    std::filesystem::create_directory(inFolder);
    ProfileFile folder(inFolder);
    EXPECT_THROW(SaveSettings(folder, Settings{}), std::runtime_error);
}

} // namespace
